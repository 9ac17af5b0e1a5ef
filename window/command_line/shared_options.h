// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "analysis/settings.h"
#include "window/command_line/command.h"

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace tavrello {

// A key or a name of the core, as the command line prints it.
QString text(std::string_view utf8);

template <typename Keys, typename Key> QStringList keysOf(const Keys& keys, Key key) {
    QStringList texts;
    for (const auto& each : keys) {
        texts.append(text(key(each)));
    }
    return texts;
}

// How every command states a result's uncertainty: --confidence, --coverage, --rounding and
// --digits, their help naming the defaults after `defaultLead` ("默认 ").
struct ExpansionDefaults {
    Confidence confidence;
    Coverage coverage;
    Rounding rounding;
    int digits;
};
std::vector<CommandOption> expansionOptions(const ExpansionDefaults& defaults,
                                            const QString& defaultLead);

// The options of the parts, in their order.
std::vector<CommandOption> joined(std::initializer_list<std::vector<CommandOption>> parts);

} // namespace tavrello
