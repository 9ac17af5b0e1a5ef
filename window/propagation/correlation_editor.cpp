// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/propagation/correlation_editor.h"

#include "window/accessibility/readable_line_edit.h"
#include "window/reports/report_files.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QStyledItemDelegate>

namespace tavrello {

namespace {

constexpr const char* headers[] = {"量 1", "量 2", "相关系数 r"};

// A cell is edited in a field a screen reader reads to its last character.
class ReadableCells : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* field = new ReadableLineEdit(parent);
        field->setFrame(false);
        return field;
    }
};

std::string cell(const QTableWidget& table, int row, int column) {
    const QTableWidgetItem* item = table.item(row, column);
    return item == nullptr ? std::string() : item->text().trimmed().toStdString();
}

} // namespace

CorrelationEditor::CorrelationEditor(QWidget* parent) : QWidget(parent) {
    table_ = new QTableWidget(0, static_cast<int>(std::size(headers)), this);
    table_->setObjectName("correlations");
    table_->setAccessibleName("相关系数");
    for (int column = 0; column < table_->columnCount(); ++column) {
        table_->setHorizontalHeaderItem(column, new QTableWidgetItem(headers[column]));
    }
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setTabKeyNavigation(false);
    table_->setItemDelegate(new ReadableCells(table_));
    add_ = new QPushButton("添加相关系数", this);
    add_->setAutoDefault(false);
    remove_ = new QPushButton("删除所选行", this);
    remove_->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
    connect(add_, &QPushButton::clicked, this, [this] {
        addRow({});
        table_->setFocus();
        table_->setCurrentCell(table_->rowCount() - 1, 0);
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() >= 0) {
            table_->removeRow(table_->currentRow());
            emit edited();
        }
    });
    connect(table_, &QTableWidget::itemChanged, this, &CorrelationEditor::edited);
}

void CorrelationEditor::addRow(const propagation::StatedCorrelation& correlation) {
    const QSignalBlocker quiet(table_);
    const int row = table_->rowCount();
    table_->insertRow(row);
    const std::string* texts[] = {&correlation.first, &correlation.second,
                                  &correlation.coefficient};
    for (int column = 0; column < table_->columnCount(); ++column) {
        table_->setItem(row, column, new QTableWidgetItem(fromUtf8(*texts[column])));
    }
}

void CorrelationEditor::setCorrelations(
    const std::vector<propagation::StatedCorrelation>& correlations) {
    table_->setRowCount(0);
    for (const propagation::StatedCorrelation& correlation : correlations) {
        addRow(correlation);
    }
}

std::vector<propagation::StatedCorrelation> CorrelationEditor::correlations() const {
    std::vector<propagation::StatedCorrelation> correlations;
    for (int row = 0; row < table_->rowCount(); ++row) {
        propagation::StatedCorrelation correlation{cell(*table_, row, 0), cell(*table_, row, 1),
                                                   cell(*table_, row, 2)};
        if (!correlation.first.empty() || !correlation.second.empty() ||
            !correlation.coefficient.empty()) {
            correlations.push_back(std::move(correlation));
        }
    }
    return correlations;
}

std::vector<QWidget*> CorrelationEditor::focusChain() const {
    return {table_, add_, remove_};
}

} // namespace tavrello
