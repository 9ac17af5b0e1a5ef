// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tavrello::report {

// text as a JSON string literal, quotes included.
std::string jsonString(std::string_view text);

// Writes one JSON value into a string: numbers as their shortest round-trip text, commas
// between members and elements by themselves.
class JsonWriter {
  public:
    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    JsonWriter& key(std::string_view name) {
        separate();
        out_ += jsonString(name);
        out_ += ':';
        afterKey_ = true;
        return *this;
    }

    // The shortest text that reads back as the value; null where it is not finite.
    void number(double value);
    void number(std::optional<double> value) {
        if (value) {
            number(*value);
        } else {
            null();
        }
    }
    void integer(std::int64_t value) {
        separate();
        out_ += std::to_string(value);
    }
    void boolean(bool value) {
        separate();
        out_ += value ? "true" : "false";
    }
    void string(std::string_view text) {
        separate();
        out_ += jsonString(text);
    }
    void null() {
        separate();
        out_ += "null";
    }
    void numbers(std::span<const double> values) {
        beginArray();
        for (const double value : values) {
            number(value);
        }
        endArray();
    }

    const std::string& text() const { return out_; }

  private:
    void appendShortest(double value);
    void open(char bracket) {
        separate();
        out_ += bracket;
        first_ = true;
    }
    void close(char bracket) {
        out_ += bracket;
        first_ = false;
    }
    // A comma before every member or element but the first; none between a key and its value.
    void separate() {
        if (afterKey_) {
            afterKey_ = false;
        } else if (!first_) {
            out_ += ',';
        }
        first_ = false;
    }

    std::string out_;
    bool first_ = true;
    bool afterKey_ = false;
};

} // namespace tavrello::report
