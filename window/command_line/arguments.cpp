// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/arguments.h"

#include "analysis/series_text.h"
#include "window/reports/report_files.h"

#include <algorithm>

namespace tavrello {

namespace {

const QStringList questionNames = {"--help", "--version"};

[[noreturn]] void refuse(const QString& text) {
    throw CommandLineError(ExitStatus::Refused, text);
}

[[noreturn]] void refuseRepeated(const QString& name) {
    refuse(QString("选项 %1 给了两次，只能给一次。").arg(name));
}

// An argument as a message quotes it: its first 40 characters, control characters named.
QString quoted(const QString& argument) {
    return "“" + fromUtf8(quotedPiece(argument.toStdString())) + "”";
}

// A separate argument that cannot be an option's value: "--png" in "--pdf --png". A negative
// number can, and is then judged as a value.
bool looksLikeOption(const QString& argument) {
    return argument.startsWith('-') && !readWholeNumber(argument.toStdString());
}

const CommandOption* optionNamed(const Command& command, const QString& name) {
    const auto found =
        std::find_if(command.options.begin(), command.options.end(),
                     [&name](const CommandOption& option) { return option.name == name; });
    return found == command.options.end() ? nullptr : &*found;
}

const Command* commandNamed(std::span<const Command* const> commands, const QString& name) {
    const auto found =
        std::find_if(commands.begin(), commands.end(),
                     [&name](const Command* command) { return command->name == name; });
    return found == commands.end() ? nullptr : *found;
}

// The value of the option at `at`, written after "=" or as the next argument, which `at` then
// moves to.
QString valueOf(const QStringList& arguments, qsizetype& at, const CommandOption& option) {
    const QString& argument = arguments[at];
    QString value;
    if (const qsizetype equals = argument.indexOf('='); equals >= 0) {
        value = argument.mid(equals + 1);
    } else if (at + 1 < arguments.size() && !looksLikeOption(arguments[at + 1])) {
        value = arguments[++at];
    } else if (at + 1 < arguments.size()) {
        const QString& next = arguments[at + 1];
        refuse(QString("选项 %1 后面缺少它的值（%2像是一个选项；值确以“-”开头时请写成 %1=%3）。")
                   .arg(option.name, quoted(next), next));
    }
    if (value.trimmed().isEmpty() && !option.blankAllowed) {
        refuse(QString("选项 %1 后面缺少它的值。").arg(option.name));
    }
    if (!option.choices.isEmpty() && !option.choices.contains(value)) {
        refuse(QString("选项 %1 的值%2不能使用，可选：%3。")
                   .arg(option.name, quoted(value), option.choices.join("、")));
    }
    return value;
}

QStringList questionsIn(const QStringList& arguments) {
    QStringList questions;
    for (const QString& argument : arguments.mid(1)) {
        if (questionNames.contains(argument) && !questions.contains(argument)) {
            questions.append(argument);
        }
    }
    return questions;
}

const Command* commandIn(const QStringList& arguments, std::span<const Command* const> commands) {
    for (const QString& argument : arguments.mid(1)) {
        if (const Command* command = commandNamed(commands, argument)) {
            return command;
        }
    }
    return nullptr;
}

} // namespace

Invocation invocationOf(const QStringList& arguments, std::span<const Command* const> commands) {
    Invocation invocation;
    invocation.command = commandIn(arguments, commands);
    invocation.questions = questionsIn(arguments);
    if (!invocation.questions.isEmpty()) {
        return invocation;
    }
    if (!invocation.command) {
        refuse("没有给出命令。用 tavrello --help 查看用法。");
    }
    const Command& command = *invocation.command;
    bool commandSeen = false;
    bool fileGiven = false;
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        const QString& argument = arguments[at];
        const QString name = argument.section('=', 0, 0);
        if (const Command* named = commandNamed(commands, argument)) {
            if (named != &command) {
                refuse(
                    QString("一次只能运行一个命令，给了 %1 和 %2。").arg(command.name, argument));
            }
            if (commandSeen) {
                refuseRepeated(argument);
            }
            commandSeen = true;
        } else if (const CommandOption* option = optionNamed(command, name)) {
            if (invocation.options.has(name)) {
                refuseRepeated(name);
            }
            invocation.options.set(name, valueOf(arguments, at, *option));
        } else if (argument != "-" && argument.startsWith('-')) {
            refuse(QString("不认识的选项%1。用 tavrello %2 --help 查看用法。")
                       .arg(quoted(argument), command.name));
        } else if (fileGiven) {
            refuse(QString("只能读一个文件，多出了%1。").arg(quoted(argument)));
        } else {
            invocation.file = argument;
            fileGiven = true;
        }
    }
    return invocation;
}

} // namespace tavrello
