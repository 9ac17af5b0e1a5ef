// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace tavrello::report {

// A report as its parts, in order, to be written out as plain text, HTML or a PDF page, so that
// each form says the same words. Texts are UTF-8.

struct Heading {
    std::string text;
};

// One paragraph; a line break inside starts a new line of it. Where it holds a formula, html is
// the same paragraph with its markup (italics, superscripts), written instead of the text.
struct Paragraph {
    std::string text;
    std::string html = {};
};

// A caveat beside a verdict, set apart so that it is not read past.
struct Note {
    std::string text;
};

struct Table {
    std::vector<std::string> header;
    // What a screen reader says for each column, where the header's symbols read badly ("x i"
    // for "x_i"); empty entries, or none, read the header itself.
    std::vector<std::string> spokenHeader;
    std::vector<std::vector<std::string>> rows;
    // A detail of a cell, shown on demand (a tooltip); as rows, or empty.
    std::vector<std::vector<std::string>> details;
    // Rows shown in bold, and what that means in words ("已剔除，不计入结果").
    std::vector<bool> emphasised;
    std::string emphasisMeaning;

    bool isEmphasised(std::size_t row) const { return row < emphasised.size() && emphasised[row]; }
    std::string spoken(std::size_t column) const;
};

// Where the report's picture goes; plain text leaves it out.
struct Figure {
    std::string description;
};

// The result line, the report's last word.
struct Result {
    std::string caption;
    std::string text;
};

using Block = std::variant<Heading, Paragraph, Note, Table, Figure, Result>;

struct Document {
    std::string title;
    std::vector<Block> blocks;
};

// The title, then each block: a table in columns padded to the widths a monospaced face gives
// its characters, a figure left out.
std::string plainText(const Document& document);

// The blocks from `first` up to `end` as HTML, without the title: emphasised rows bold, notes
// in italics, the result bold.
std::string html(const Document& document, std::size_t first, std::size_t end);
// The whole document, titled, for a word processor.
std::string html(const Document& document);

// The table cut to at most `mostRows` rows: all of them if they fit, else only the emphasised
// ones (as many as fit) and a sentence saying so.
std::vector<Block> abridged(const Table& table, std::size_t mostRows);

// Columns a text takes in a monospaced face: CJK characters take two, combining marks none.
std::size_t displayWidth(const std::string& utf8);

std::string escapedHtml(const std::string& text);

} // namespace tavrello::report
