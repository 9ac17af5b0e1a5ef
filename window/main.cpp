// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/appearance.h"
#include "window/clock/status_clock.h"
#include "window/command_line/command_line.h"
#include "window/fonts/interface_font.h"
#include "window/form1.h"
#include "window/message_boxes.h"
#include "window/platform_translation.h"
#include "window/termination_signals.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (tavrello::startedForCommandLine(argc, argv)) {
        return tavrello::commandLineMain(argc, argv);
    }
    tavrello::FontConfigurationPreload fontConfiguration;
    // On X11, Qt hands each repaint over in shared memory and then waits for the server's
    // notice that it is done, which wakes the program three times for every tick of the clock.
    // The window is small enough to send over the connection instead.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    QApplication application(argc, argv);
    fontConfiguration.waitUntilRead();
    QApplication::setOrganizationName("Tavrello");
    QApplication::setApplicationName("Tavrello");
    QApplication::setApplicationDisplayName("Tavrello");
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("io.github.tavrello.Tavrello");
    const tavrello::PlatformTranslation platformTexts;
    tavrello::keepPaletteLight();
    tavrello::addInterfaceFont(tavrello::installedInterfaceFontFile());
    tavrello::useWindowFont();

    tavrello::MessageBoxes messages;
    tavrello::SystemClock clock;
    tavrello::Form1 window(messages, clock);
    const tavrello::TerminationSignals stopSignals;
    window.show();
    return QApplication::exec();
}
