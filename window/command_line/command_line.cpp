// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/command_line.h"

#include "analysis/statistics.h"
#include "window/command_line/analyse_command.h"
#include "window/command_line/arguments.h"
#include "window/command_line/command_io.h"
#include "window/command_line/fit_command.h"
#include "window/command_line/help.h"
#include "window/command_line/propagate_command.h"
#include "window/fonts/interface_font.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tavrello {

namespace {

std::array<const Command*, 3> commands() {
    return {&analyseCommand(), &propagateCommand(), &fitCommand()};
}

bool isQuestion(const char* argument) {
    return std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "--version") == 0;
}

const Command* commandNamedIn(int argc, char* argv[]) {
    for (int at = 1; at < argc; ++at) {
        for (const Command* command : commands()) {
            if (command->name == QLatin1String(argv[at])) {
                return command;
            }
        }
    }
    return nullptr;
}

// Whether an option that draws is among the raw arguments: drawing needs fonts, and so a GUI
// application, which must exist before the arguments are read through it.
bool drawsIn(const Command& command, int argc, char* argv[]) {
    return std::any_of(argv + 1, argv + argc, [&command](const char* argument) {
        const QString given = QString::fromLocal8Bit(argument).section('=', 0, 0);
        return std::any_of(
            command.options.begin(), command.options.end(),
            [&given](const CommandOption& option) { return option.draws && option.name == given; });
    });
}

// Qt's warnings are kept off standard error, which carries the program's own messages: Qt
// warns, for one, when the offscreen platform starts without XDG_RUNTIME_DIR, and libpng when
// a PNG cannot be written, which the program reports in words. Critical and fatal messages
// still go out, and so does everything when QT_LOGGING_RULES asks for Qt's messages.
void keepQtWarningsOff() {
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES")) {
        return;
    }
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg) {
                const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit();
                std::fprintf(stderr, "%s\n", line.constData());
            }
        });
}

std::unique_ptr<QCoreApplication> applicationFor(const Command* command, int& argc, char* argv[]) {
    if (!command || !drawsIn(*command, argc, argv)) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
#ifndef _WIN32
    // Drawn without a display: the command line must work where none is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    addInterfaceFont(installedInterfaceFontFile());
    return application;
}

QByteArray answers(const Invocation& invocation) {
    QString text;
    for (const QString& question : invocation.questions) {
        if (question == "--version") {
            text += versionText();
        } else {
            text += invocation.command ? commandHelp(*invocation.command) : programHelp(commands());
        }
    }
    return text.toUtf8();
}

ExitStatus run(const QStringList& arguments) {
    try {
        const Invocation invocation = invocationOf(arguments, commands());
        if (!invocation.questions.isEmpty()) {
            writeOutput(answers(invocation));
            return ExitStatus::Done;
        }
        const QString file = invocation.file;
        writeOutput(
            invocation.command->run(invocation.options, [&file] { return readInput(file); }));
        return ExitStatus::Done;
    } catch (const CommandLineError& error) {
        writeError(error.text());
        return error.status();
    } catch (const AnalysisError& error) {
        writeError(QString::fromUtf8(error.what()));
        return ExitStatus::Refused;
    }
}

#ifdef _WIN32
// A program of the window subsystem starts without a console. On the command line it writes to
// the console it was started from, unless its output already goes to a file or a pipe.
void useParentConsole() {
    const auto unconnected = [](DWORD stream) {
        return GetFileType(GetStdHandle(stream)) == FILE_TYPE_UNKNOWN;
    };
    const bool output = unconnected(STD_OUTPUT_HANDLE);
    const bool error = unconnected(STD_ERROR_HANDLE);
    const bool input = unconnected(STD_INPUT_HANDLE);
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    SetConsoleOutputCP(CP_UTF8);
    if (output) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (error) {
        std::freopen("CONOUT$", "w", stderr);
    }
    if (input) {
        std::freopen("CONIN$", "r", stdin);
    }
}
#endif

} // namespace

bool startedForCommandLine(int argc, char* argv[]) {
    return commandNamedIn(argc, argv) || std::any_of(argv + 1, argv + argc, isQuestion);
}

int commandLineMain(int argc, char* argv[]) {
#ifdef _WIN32
    useParentConsole();
#endif
    keepQtWarningsOff();
    const auto application = applicationFor(commandNamedIn(argc, argv), argc, argv);
    return static_cast<int>(run(QCoreApplication::arguments()));
}

} // namespace tavrello
