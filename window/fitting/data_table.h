// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fitting/data_set.h"

#include <QString>
#include <QTableWidget>
#include <vector>

namespace tavrello {

// The points a user types or pastes: x, y and optionally u(y), a row each, kept as typed. Enter
// moves down a row (Shift+Enter up), and there is always an empty row at the end to type into.
// Ctrl+V pastes a column of values down the current column, or two or three columns (with an
// optional header line) over x, y and u(y) from the current row; Ctrl+C copies the cells
// selected, tab-separated; Delete empties them.
class DataTable : public QTableWidget {
    Q_OBJECT

  public:
    enum Column { X, Y, U };
    // So many rows keep an edit's new fit under a third of a second; more are for the command
    // line.
    static constexpr int mostRows = 20'000;
    static QString tooMany(int rows);

    explicit DataTable(QWidget* parent);

    // Names the columns after the quantities: "F (N)", "u(F) (N)".
    void nameColumns(const fitting::Quantity& x, const fitting::Quantity& y);

    struct Row {
        // From 1, as the table numbers it.
        int number;
        QString x;
        QString y;
        QString u;
    };
    // The rows that hold any text, trimmed.
    std::vector<Row> filledRows() const;

    // The points as typed, in place of every row.
    void showPoints(const std::vector<fitting::Point>& points);
    void removeRowNumbered(int number);
    void clearAll();

    void paste();
    void copySelection() const;

    // Six rows high: the window has more to show.
    QSize sizeHint() const override;

  signals:
    // After each change of the cells, once for a paste; the lead says what the change was where
    // the cells do not show it at the focus.
    void edited(const QString& lead);
    // A pasted header line names the quantities.
    void quantitiesPasted(const fitting::Quantity& x, const fitting::Quantity& y);
    // Why a paste changed nothing.
    void pasteRefused(const QString& reason);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

  private:
    // With the header.
    int rowsHigh(int rows) const;
    bool roomFor(int first, int count);
    QString textAt(int row, int column) const;
    void setTextAt(int row, int column, const QString& text);
    void keepAnEmptyRowAtTheEnd();
    void step(int rows);
    void changed(const QString& lead = {});
    void pasteColumn(const QString& text);
    void pastePoints(const QString& text);
    void emptySelection();

    // A change made by the table itself is told once, at its end.
    bool quiet_ = false;
};

} // namespace tavrello
