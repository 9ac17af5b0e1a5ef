// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavrello {

// How a run of the command line ends, as its exit status.
enum class ExitStatus {
    Done = 0,
    // The report, or a file it was asked for, could not be written.
    NotWritten = 1,
    // An argument or the input cannot be used.
    Refused = 2,
};

// The command line's one exception type: why a command stops, in Chinese for standard error.
class CommandLineError : public std::runtime_error {
  public:
    CommandLineError(ExitStatus status, const QString& text)
        : std::runtime_error(text.toStdString()), status_(status), text_(text) {}
    ExitStatus status() const { return status_; }
    const QString& text() const { return text_; }

  private:
    ExitStatus status_;
    QString text_;
};

// One option of a command, which takes one value: "--alpha 0.05" or "--alpha=0.05".
struct CommandOption {
    QString name = {};
    // The values it takes, or none for a free text.
    QStringList choices = {};
    // How the help writes a free text's value: "D", "文件".
    QString valueName = {};
    // What it sets, with its default, for the help.
    QString help = {};
    // A blank value means none, as an empty box of the window does; otherwise it is refused.
    bool blankAllowed = false;
    // The option writes a drawing, which needs fonts and so a GUI application.
    bool draws = false;

    // "0.05|0.01", or the value's name.
    QString valueText() const { return choices.isEmpty() ? valueName : choices.join('|'); }
};

// The options of one run as given, each at most once, checked against the command's table.
class GivenOptions {
  public:
    void set(const QString& name, const QString& value) { values_.insert(name, value); }
    bool has(const QString& name) const { return values_.contains(name); }
    std::optional<QString> value(const QString& name) const {
        const auto found = values_.constFind(name);
        return found == values_.cend() ? std::nullopt : std::optional<QString>(*found);
    }
    // The value in UTF-8, as the analysis core takes texts; empty when the option is not given.
    std::string text(const QString& name) const { return values_.value(name).toStdString(); }

  private:
    QHash<QString, QString> values_;
};

// A command of the command line: its options and what it does with its input. It reads one
// file, or standard input, and writes its report on standard output.
struct Command {
    // "--analyse"
    QString name;
    // What it does, a few words for the program's help.
    QString summary;
    // What it does and reads, in lines, for its own help.
    QString details;
    std::vector<CommandOption> options;
    // The report for standard output, from the options and the input, which `input` reads when
    // the options have been checked. Throws CommandLineError, or the analysis core's
    // AnalysisError for input it cannot use.
    std::function<QByteArray(const GivenOptions& options, const std::function<QByteArray()>& input)>
        run;
};

} // namespace tavrello
