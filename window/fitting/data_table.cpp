// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/fitting/data_table.h"

#include "analysis/series_text.h"
#include "window/accessibility/readable_line_edit.h"
#include "window/reports/report_files.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QStyledItemDelegate>
#include <algorithm>
#include <functional>
#include <set>

namespace tavrello {

namespace {

constexpr int firstRows = 8;

// A cell is edited in a line edit that a screen reader reads to its last character.
class CellDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new ReadableLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }
};

QString header(const fitting::Quantity& quantity) {
    return fromUtf8(fitting::quantityHeader(quantity));
}

// A value a line: the lines hold no tab, comma or blank between two pieces.
bool aValueALine(const QString& text) {
    for (const QString& line : text.split('\n')) {
        const QString piece = line.trimmed();
        if (piece.contains(QRegularExpression("[\\t,，\\s\\x{3000}]"))) {
            return false;
        }
    }
    return true;
}

QString typed(const std::string& text, double value) {
    return fromUtf8(fitting::typedValue(text, value));
}

} // namespace

DataTable::DataTable(QWidget* parent) : QTableWidget(firstRows, U + 1, parent) {
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(AnyKeyPressed | DoubleClicked | EditKeyPressed);
    // Tab leaves the table, as it leaves every table of the program; the arrows move within it.
    setTabKeyNavigation(false);
    setSelectionMode(ContiguousSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setMinimumHeight(rowsHigh(4));
    nameColumns({"x", ""}, {"y", ""});
    connect(this, &QTableWidget::itemChanged, this, [this] {
        if (!quiet_) {
            changed();
        }
    });
    setCurrentCell(0, X);
}

QString DataTable::tooMany(int rows) {
    return QString("表中最多放 %1 个数据点，这里有 %2 个；更多的数据请用命令 tavrello --fit 拟合。")
        .arg(mostRows)
        .arg(rows);
}

// Rows are added where the pasted ones need them, up to the most the table takes.
bool DataTable::roomFor(int first, int count) {
    if (first + count > mostRows) {
        emit pasteRefused("没有粘贴：" + tooMany(first + count));
        return false;
    }
    setRowCount(std::max(rowCount(), first + count));
    return true;
}

int DataTable::rowsHigh(int rows) const {
    return (rows + 1) * verticalHeader()->defaultSectionSize() + 2 * frameWidth();
}

QSize DataTable::sizeHint() const {
    return {QTableWidget::sizeHint().width(), rowsHigh(6)};
}

void DataTable::nameColumns(const fitting::Quantity& x, const fitting::Quantity& y) {
    setHorizontalHeaderLabels({header(x), header(y), header({"u(" + y.name + ")", y.unit})});
}

QString DataTable::textAt(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell == nullptr ? QString() : cell->text().trimmed();
}

void DataTable::setTextAt(int row, int column, const QString& text) {
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
    } else {
        setItem(row, column, new QTableWidgetItem(text));
    }
}

std::vector<DataTable::Row> DataTable::filledRows() const {
    std::vector<Row> rows;
    for (int row = 0; row < rowCount(); ++row) {
        Row filled{row + 1, textAt(row, X), textAt(row, Y), textAt(row, U)};
        if (!filled.x.isEmpty() || !filled.y.isEmpty() || !filled.u.isEmpty()) {
            rows.push_back(filled);
        }
    }
    return rows;
}

void DataTable::showPoints(const std::vector<fitting::Point>& points) {
    quiet_ = true;
    clearContents();
    setRowCount(std::max(firstRows, static_cast<int>(points.size()) + 1));
    for (int row = 0; row < static_cast<int>(points.size()); ++row) {
        const fitting::Point& point = points[std::size_t(row)];
        setTextAt(row, X, typed(point.xText, point.x));
        setTextAt(row, Y, typed(point.yText, point.y));
        if (point.u) {
            setTextAt(row, U, typed(point.uText, *point.u));
        }
    }
    quiet_ = false;
    setCurrentCell(0, X);
    changed();
}

void DataTable::removeRowNumbered(int number) {
    removeRow(number - 1);
    changed();
}

void DataTable::clearAll() {
    quiet_ = true;
    clearContents();
    setRowCount(firstRows);
    quiet_ = false;
    changed();
}

void DataTable::keepAnEmptyRowAtTheEnd() {
    const int last = rowCount() - 1;
    if (last < 0 || !textAt(last, X).isEmpty() || !textAt(last, Y).isEmpty() ||
        !textAt(last, U).isEmpty()) {
        insertRow(rowCount());
    }
}

void DataTable::changed(const QString& lead) {
    keepAnEmptyRowAtTheEnd();
    emit edited(lead);
}

void DataTable::step(int rows) {
    const int row = std::max(0, currentRow() + rows);
    if (row >= rowCount()) {
        insertRow(rowCount());
    }
    setCurrentCell(row, std::max(0, currentColumn()));
}

void DataTable::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::Copy)) {
        copySelection();
    } else if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        emptySelection();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        step(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
    } else {
        QTableWidget::keyPressEvent(event);
    }
}

// Enter in a cell being edited keeps what was typed and moves on, as Enter out of editing does.
void DataTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool entered = hint == QAbstractItemDelegate::SubmitModelCache;
    QTableWidget::closeEditor(editor, entered ? QAbstractItemDelegate::NoHint : hint);
    if (entered) {
        step(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier ? -1 : 1);
    }
}

void DataTable::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const std::pair<QString, std::function<void()>> entries[] = {
        {"复制\tCtrl+C", [this] { copySelection(); }},
        {"粘贴\tCtrl+V", [this] { paste(); }},
        {"清除所选\tDelete", [this] { emptySelection(); }},
        {"删除所选行",
         [this] {
             std::set<int, std::greater<>> rows;
             for (const QTableWidgetSelectionRange& range : selectedRanges()) {
                 for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
                     rows.insert(row);
                 }
             }
             for (const int row : rows) {
                 removeRow(row);
             }
             changed();
         }},
    };
    for (const auto& [text, action] : entries) {
        connect(menu->addAction(text), &QAction::triggered, this, action);
    }
    menu->popup(event->globalPos());
}

void DataTable::copySelection() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        return;
    }
    const QTableWidgetSelectionRange& range = ranges.front();
    QStringList lines;
    for (int row = range.topRow(); row <= range.bottomRow(); ++row) {
        QStringList cells;
        for (int column = range.leftColumn(); column <= range.rightColumn(); ++column) {
            cells.append(textAt(row, column));
        }
        lines.append(cells.join('\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join('\n') + '\n');
}

void DataTable::emptySelection() {
    quiet_ = true;
    for (QTableWidgetItem* cell : selectedItems()) {
        cell->setText({});
    }
    quiet_ = false;
    changed();
}

void DataTable::paste() {
    const QString text = QGuiApplication::clipboard()->text().remove('\r');
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return;
    }
    if (!aValueALine(trimmed)) {
        pastePoints(text);
    } else if (trimmed.contains('\n')) {
        pasteColumn(trimmed);
    } else {
        setTextAt(std::max(0, currentRow()), std::max(0, currentColumn()), trimmed);
    }
}

// Down the current column from the current row, each line a value as typed.
void DataTable::pasteColumn(const QString& text) {
    const SeriesText column =
        splitSeries(text.toStdString(), [](std::string_view) { return true; });
    const int first = std::max(0, currentRow());
    const int at = std::max(0, currentColumn());
    const int count = static_cast<int>(column.pieces.size());
    if (!roomFor(first, count)) {
        return;
    }
    quiet_ = true;
    for (int row = 0; row < count; ++row) {
        setTextAt(first + row, at, fromUtf8(column.pieces[std::size_t(row)].text));
    }
    quiet_ = false;
    changed(QString("已粘贴 %1 个数").arg(count));
}

// Read as the data file is: x, y and u(y) from the current row, the quantities from a header.
void DataTable::pastePoints(const QString& text) {
    const std::string utf8 = text.toStdString();
    fitting::Outcome<fitting::DataSet> read = fitting::readDataText(utf8);
    if (const auto* refusal = std::get_if<fitting::Refusal>(&read)) {
        emit pasteRefused("没有粘贴：所粘贴的内容" +
                          (refusal->problem == fitting::Refusal::Problem::NoPoints
                               ? QString("中没有数据点。")
                               : fromUtf8(refusal->message)));
        return;
    }
    const fitting::DataSet& data = std::get<fitting::DataSet>(read);
    const int first = std::max(0, currentRow());
    const int count = static_cast<int>(data.points.size());
    if (!roomFor(first, count)) {
        return;
    }
    quiet_ = true;
    for (int row = 0; row < count; ++row) {
        const fitting::Point& point = data.points[std::size_t(row)];
        setTextAt(first + row, X, typed(point.xText, point.x));
        setTextAt(first + row, Y, typed(point.yText, point.y));
        if (point.u) {
            setTextAt(first + row, U, typed(point.uText, *point.u));
        }
    }
    quiet_ = false;
    const fitting::DataSet unnamed;
    if (data.x.name != unnamed.x.name || data.x.unit != unnamed.x.unit ||
        data.y.name != unnamed.y.name || data.y.unit != unnamed.y.unit) {
        emit quantitiesPasted(data.x, data.y);
    }
    changed(QString("已粘贴 %1 个数据点").arg(count));
}

} // namespace tavrello
