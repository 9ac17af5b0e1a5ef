// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report/json_writer.h"

#include <charconv>
#include <cmath>

namespace tavrello::report {

void JsonWriter::number(double value) {
    separate();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    appendShortest(value);
}

void JsonWriter::appendShortest(double value) {
    char buffer[32];
    out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string jsonString(std::string_view text) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7f) {
                quoted += "\\u00";
                quoted += hex[byte >> 4];
                quoted += hex[byte & 0xf];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

} // namespace tavrello::report
