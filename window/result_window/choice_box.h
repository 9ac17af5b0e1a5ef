// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>
#include <QList>
#include <QString>
#include <QVariant>
#include <utility>

namespace tavrello {

// A choice among fixed entries that a screen reader reads with its value, on focus and at each
// change by the arrow keys. Orca finds the value of Qt's combo boxes only in a text field, so the
// box has one, read-only; it opens its list on a click as a plain combo box does.
class ChoiceBox : public QComboBox {
  public:
    // Each entry's text and data.
    ChoiceBox(const QList<std::pair<QString, QVariant>>& entries, QWidget* parent);

    // The name a screen reader says for a box without a caption beside it. Qt on Linux names a
    // combo box only by the label it is the buddy of, so a hidden one carries the name.
    void nameWithoutCaption(const QString& name);

    // The entry whose data is `data`, else the one whose data is `fallback`.
    void pickData(const QVariant& data, const QVariant& fallback);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tavrello
