// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Baseline: the bare window with a clock label that a 1 s QTimer sets, the plain way to wake
// once a second; its ticks fall wherever in the second the program happened to start.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    QLabel label(&window);
    label.setMinimumWidth(240);
    const auto show = [&label] { label.setText(QTime::currentTime().toString("H:m:s")); };
    show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, show);
    timer.start(1000);
    window.show();
    return QApplication::exec();
}
