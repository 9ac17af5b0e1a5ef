// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The compute command end to end on the real window (run with the offscreen platform): 20
// values, all four slots selected, the time from the click on "算术平均值" until the result
// labels hold their texts, and until the window has also been repainted. The labels are
// cleared (untimed) before each click, so every click really writes them.
// Prints per method: method, median and 90th percentile of both times, in microseconds.
#include "window/tests/window_driver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tavrello;

namespace {

constexpr int warmUpClicks = 200;
constexpr int timedClicks = 2000;

double percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    return samples[static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1))];
}

void enterTwentyValues(WindowDriver& window) {
    window.pickCount("20");
    for (int box = 1; box <= inputBoxCount; ++box) {
        window.type(box, QString::number(10.0 + box * 0.37, 'f', 2));
    }
    window.selectSlots({1, 2, 3, 4});
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    WindowDriver window;
    enterTwentyValues(window);
    auto& compute = control<QPushButton>(window.form(), "Command1");
    auto& clearOutput = control<QPushButton>(window.form(), "Command5");
    for (int method = 1; method <= methodCount; ++method) {
        window.chooseMethod(method);
        std::vector<double> written;
        std::vector<double> painted;
        for (int click = 0; click < warmUpClicks + timedClicks; ++click) {
            QTest::mouseClick(&clearOutput, Qt::LeftButton);
            QCoreApplication::processEvents();
            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(&compute, Qt::LeftButton);
            const double writtenAt = static_cast<double>(clock.nsecsElapsed()) / 1e3;
            QCoreApplication::processEvents();
            const double paintedAt = static_cast<double>(clock.nsecsElapsed()) / 1e3;
            if (click >= warmUpClicks) {
                written.push_back(writtenAt);
                painted.push_back(paintedAt);
            }
        }
        if (!(window.form().state().u > 0) || !window.reportedErrors().empty()) {
            std::fprintf(stderr, "method %d did not compute\n", method);
            return 1;
        }
        std::printf("%d %.1f %.1f %.1f %.1f\n", method, percentile(written, 0.5),
                    percentile(written, 0.9), percentile(painted, 0.5), percentile(painted, 0.9));
    }
    return 0;
}
