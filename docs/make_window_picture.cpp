// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/analysis_window.h"
#include "window/tests/window_driver.h"

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <utility>

namespace {

bool saved(QWidget& window, const char* file) {
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", file);
        return false;
    }
    return true;
}

// Fifteen orifice diameters, one of them a gross error.
bool analysisDrawn(const char* file) {
    tavrello::WindowDriver window;
    window.pickCount("15");
    window.paste(1, "120.42 120.43 120.40 120.42 120.43 120.39 120.30 120.40 120.43 120.41 "
                    "120.43 120.42 120.39 120.39 120.40");
    tavrello::AnalysisWindow& analysis = window.form().openAnalysis();
    // The offscreen screen is small; the picture shows the window at the size it asks for.
    analysis.resize(tavrello::ResultWindow::wantedSize);
    QTest::qWait(100);
    return saved(analysis, file);
}

} // namespace

// Draws the README's pictures: the window after a typical use, with the same five measurements
// evaluated by the Peters method in the first result slot and by the Bessel formula in the
// second; and the analysis window of a series with a gross error.
//   make_window_picture WINDOW.png ANALYSIS.png
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW.png ANALYSIS.png\n", argv[0]);
        return 2;
    }
    tavrello::WindowDriver window;
    window.pickCount("5");
    const QStringList values = {"10.1", "10.3", "10.2", "10.4", "10.0"};
    for (int box = 1; box <= values.size(); ++box) {
        window.type(box, values[box - 1]);
    }
    for (const auto& [slot, method] : {std::pair{1, 2}, std::pair{2, 1}}) {
        window.selectSlots({slot});
        window.chooseMethod(method);
        for (const char* command : {"Command1", "Command2", "Command3"}) {
            window.click(command);
        }
    }
    return saved(window.form(), argv[1]) && analysisDrawn(argv[2]) ? 0 : 1;
}
