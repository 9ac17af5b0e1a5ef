// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Baseline: a window with one label and nothing else.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    QLabel label("bare window", &window);
    window.show();
    return QApplication::exec();
}
