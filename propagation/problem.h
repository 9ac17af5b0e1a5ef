// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tavrello::propagation {

// Where a problem lies in what the user typed: the line (from 1; 0 for a text of one line, such
// as a formula box), the character in it (from 1) and the piece found there.
struct TextPlace {
    int line = 0;
    int column = 0;
    std::string piece;
};

// What stops an indirect measurement, in Chinese, and where it lies if it lies in a text.
struct Problem {
    std::string message;
    std::optional<TextPlace> place;

    // The message after its place: "第 3 行第 12 个字符“^”：…".
    std::string text() const;
};

// A value, or the problem that kept it from being made. Nothing in this room throws past its
// public functions: they answer with one of these.
template <typename T> class Checked {
  public:
    Checked(T value) : state_(std::move(value)) {}
    Checked(Problem problem) : state_(std::move(problem)) {}

    bool ok() const { return std::holds_alternative<T>(state_); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<T>(state_); }
    T& value() & { return std::get<T>(state_); }
    T&& value() && { return std::get<T>(std::move(state_)); }
    const T* operator->() const { return &value(); }
    const Problem& problem() const { return std::get<Problem>(state_); }

  private:
    std::variant<T, Problem> state_;
};

// The place moved to a line of a file: the line set, the column counted from the line's start.
Problem placedOnLine(Problem problem, int line, int columnOffset);

} // namespace tavrello::propagation
