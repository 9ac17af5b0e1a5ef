// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

namespace tavrello {

// A line edit whose text a screen reader reads to its last character. Qt 6.4 tells a line edit's
// text attributes as empty runs, one a character; Orca joins the runs it is given and so reads
// "10.2" as "10." when it reads a box's line. Here the whole text is one run.
class ReadableLineEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit ReadableLineEdit(QWidget* parent = nullptr);
};

} // namespace tavrello
