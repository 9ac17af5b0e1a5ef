// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/tests/window_driver.h"

#include <QApplication>
#include <cstdio>
#include <utility>

// Draws the README's picture: the window after a typical use, with the same five measurements
// evaluated by the Peters method in the first result slot and by the Bessel formula in the
// second.
//   make_window_picture OUTPUT.png
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
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
    if (!window.form().grab().save(argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
