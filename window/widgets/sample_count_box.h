// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QComboBox>

namespace tavrello {

// An editable drop-down that tells a pick of a list entry (from the list, by arrow keys or
// the wheel) apart from the end of typing: Qt also activates an entry whose text was typed
// when the user presses Enter or leaves the field, and that must not count as a pick. A wheel
// turned over it picks only while it has the focus: turned in passing, it would change the
// count and hide boxes the user is filling.
class SampleCountBox : public QComboBox {
    Q_OBJECT

  public:
    explicit SampleCountBox(QWidget* parent);

    // Picks the list entry with this text as the user would, so the box shows it.
    void pick(const QString& entry);

  signals:
    void picked();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    bool finishingEdit_ = false;
};

} // namespace tavrello
