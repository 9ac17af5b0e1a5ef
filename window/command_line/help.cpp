// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/help.h"

#include "report/document.h"

#include <QPair>
#include <algorithm>
#include <vector>

namespace tavrello {

namespace {

const char exitStatuses[] = "退出状态：0 成功；1 报告或要求另存的文件写不出（例如磁盘已满）；\n"
                            "2 参数或数据不能使用，标准错误输出说明原因。\n";

using Row = QPair<QString, QString>;

// Rows of two columns, the left one padded to the widest, as a terminal shows them.
QString columns(const std::vector<Row>& rows) {
    const auto width = [](const QString& text) { return report::displayWidth(text.toStdString()); };
    std::size_t widest = 0;
    for (const Row& row : rows) {
        widest = std::max(widest, width(row.first));
    }
    QString text;
    for (const Row& row : rows) {
        const auto padding = static_cast<qsizetype>(widest - width(row.first) + 2);
        text += "  " + row.first + QString(padding, ' ') + row.second + "\n";
    }
    return text;
}

QString synopsis(const Command& command) {
    return "tavrello " + command.name + " [选项] [文件]";
}

} // namespace

QString commandHelp(const Command& command) {
    std::vector<Row> rows;
    for (const CommandOption& option : command.options) {
        rows.emplace_back(option.name + " " + option.valueText(), option.help);
    }
    rows.emplace_back("--help", "显示本说明");
    rows.emplace_back("--version", "显示版本");
    return "用法：" + synopsis(command) + "\n" + command.details +
           "没有文件或文件为 - 时读标准输入。\n\n选项（值写在选项后面，或写成 --选项=值）：\n" +
           columns(rows) + "\n" + exitStatuses;
}

QString programHelp(std::span<const Command* const> commands) {
    std::vector<Row> rows = {{"tavrello", "打开窗口"}};
    for (const Command* command : commands) {
        rows.emplace_back(synopsis(*command), command->summary);
    }
    rows.emplace_back("tavrello 命令 --help", "显示该命令的说明和选项");
    rows.emplace_back("tavrello --version", "显示版本");
    return "用法：\n" + columns(rows) + "\n" + exitStatuses;
}

QString versionText() {
    return "Tavrello " TAVRELLO_VERSION "\n";
}

} // namespace tavrello
