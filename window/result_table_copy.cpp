// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_table_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace tavrello {

namespace {

constexpr int groupCount = resultLabelCount / slotCount;

const QStringList header = {"组", "算术平均值", "测量列中单次测量的标准差",
                            "测量列算术平均值的标准差"};

QString tabSeparated(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        text += row.join('\t') + '\n';
    }
    return text;
}

QString htmlTable(const QList<QStringList>& rows) {
    // Without the character set, word processors read the Chinese headings as Latin-1.
    QString html = "<meta charset=\"utf-8\">\n<table border=\"1\" cellspacing=\"0\" "
                   "cellpadding=\"3\">\n";
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const QString cell = row == 0 ? "th" : "td";
        html += "<tr>";
        for (const QString& text : rows[row]) {
            html += QString("<%1>%2</%1>").arg(cell, text.toHtmlEscaped());
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

} // namespace

ResultTableCopy::ResultTableCopy(QWidget& window, const FormControls& controls)
    : controls_(controls), copyAll_(*new QAction("复制全部结果", &window)) {
    copyAll_.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    window.addAction(&copyAll_);
    QObject::connect(&copyAll_, &QAction::triggered, &window, [this] { copyAll(); });
    for (QLabel* label : controls_.Results) {
        // By mouse only: the labels stay out of the Tab order.
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(label, &QWidget::customContextMenuRequested, label,
                         [this, label](const QPoint& position) { showMenu(*label, position); });
    }
}

void ResultTableCopy::copyAll() const {
    QList<QStringList> rows = {header};
    for (int slot = 1; slot <= slotCount; ++slot) {
        QStringList row = {QString::number(slot)};
        for (int group = 0; group < groupCount; ++group) {
            row.append(controls_.Results[group * slotCount + slot - 1]->text());
        }
        rows.append(row);
    }
    auto* data = new QMimeData;
    data->setText(tabSeparated(rows));
    data->setHtml(htmlTable(rows));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ResultTableCopy::showMenu(QLabel& label, const QPoint& position) const {
    auto* menu = new QMenu(&label);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* copy = menu->addAction("复制(&C)", &label, [&label] {
        QGuiApplication::clipboard()->setText(label.selectedText());
    });
    copy->setShortcuts(QKeySequence::Copy);
    copy->setEnabled(label.hasSelectedText());
    menu->addAction(&copyAll_);
    menu->addActions(label.actions());
    menu->popup(label.mapToGlobal(position));
}

} // namespace tavrello
