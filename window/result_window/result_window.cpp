// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_window/result_window.h"

#include "window/accessibility/readable_line_edit.h"
#include "window/appearance.h"
#include "window/reports/report_files.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <utility>

namespace tavrello {

namespace {

constexpr QRgb emphasisGround = qRgb(0xFF, 0xE4, 0xE1);
// A change of a setting is told after this long without another.
constexpr int settlingMilliseconds = 700;

// Widths from which the window shows more settings a row, and the table beside the plot.
struct Arrangement {
    int fromWidth;
    int settingColumns;
    int buttonColumns;
    bool viewsSideBySide;
};
constexpr Arrangement arrangements[] = {{880, 4, 0, true}, {660, 3, 0, true}, {0, 2, 3, false}};

const Arrangement& arrangementFor(int width) {
    for (const Arrangement& arrangement : arrangements) {
        if (width >= arrangement.fromWidth) {
            return arrangement;
        }
    }
    return arrangements[std::size(arrangements) - 1];
}

QString withoutKey(const QString& caption) {
    return QString(caption).remove(QRegularExpression("\\(&.\\)")).remove('&');
}

// The result, read-only: Tab reaches it and a screen reader reads it under its caption. Reached
// by Tab it keeps its text unselected, which Orca would announce after the text.
class ResultLine : public ReadableLineEdit {
  public:
    explicit ResultLine(QWidget* parent) : ReadableLineEdit(parent) {
        setObjectName("result");
        setReadOnly(true);
        setFrame(false);
        setBackgroundRole(QPalette::Window);
        setTextMargins(0, 0, 0, 0);
    }

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QFocusEvent plain(event->type(), Qt::OtherFocusReason);
        ReadableLineEdit::focusInEvent(&plain);
    }
};

void clearLayout(QLayout& layout) {
    while (QLayoutItem* item = layout.takeAt(0)) {
        delete item;
    }
}

} // namespace

ResultWindow::ResultWindow(QWidget& mainWindow, Announcer& announcer, const QString& title,
                           QSize wanted, int narrowest)
    : QWidget(&mainWindow, Qt::Window), mainWindow_(mainWindow), announcer_(announcer),
      wanted_(wanted), narrowest_(narrowest) {
    setWindowTitle(title);
    setFont(analysisFont());
    settling_.setSingleShot(true);
    settling_.setInterval(settlingMilliseconds);
    connect(&settling_, &QTimer::timeout, this, &ResultWindow::tell);
    build();
}

void ResultWindow::build() {
    auto* layout = new QVBoxLayout(this);
    // The window sets its own least size: the width of its narrow arrangement, the height of the
    // arrangement it shows.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    settingsGrid_ = new QGridLayout;
    layout->addLayout(settingsGrid_);

    resultGrid_ = new QGridLayout;
    resultGrid_->setColumnStretch(1, 1);
    layout->addLayout(resultGrid_);
    addResultRow();
    nameResult(0, "测量结果");
    // Why there is no result, and what to do about it.
    problemBox_ = new QWidget(this);
    auto* problemRow = new QHBoxLayout(problemBox_);
    problemRow->setContentsMargins(0, 0, 0, 0);
    problem_ = new QLabel(problemBox_);
    problem_->setObjectName("problem");
    problem_->setWordWrap(true);
    problem_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    problemRow->addWidget(problem_, 1);
    problemBox_->hide();
    layout->addWidget(problemBox_);

    table_ = new QTableWidget(this);
    table_->setObjectName("table");
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the table; the arrows move within it.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setMinimumHeight(table_->fontMetrics().height() * 5);
    views_ = new QBoxLayout(QBoxLayout::LeftToRight);
    views_->addWidget(table_, 5);
    layout->addLayout(views_, 3);

    steps_ = new QPlainTextEdit(this);
    steps_->setObjectName("steps");
    steps_->setReadOnly(true);
    steps_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    steps_->setTabChangesFocus(true);
    steps_->setMinimumHeight(steps_->fontMetrics().height() * 3);
    layout->addWidget(withCaption("计算过程(&S)", steps_));
    layout->addWidget(steps_, 2);

    buttonGrid_ = new QGridLayout;
    layout->addLayout(buttonGrid_);
    close_ = new QPushButton("关闭", this);
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
}

// The caption names the control: Qt tells a screen reader that the label labels it.
QLabel* ResultWindow::withCaption(const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption, this);
    label->setBuddy(control);
    label->setAccessibleName(withoutKey(caption).remove("："));
    return label;
}

ChoiceBox* ResultWindow::addChoice(const QString& caption,
                                   const QList<std::pair<QString, QVariant>>& entries) {
    auto* choice = new ChoiceBox(entries, this);
    settings_.push_back({withCaption(caption, choice), choice});
    connect(choice, &QComboBox::currentIndexChanged, this, &ResultWindow::settingChanged);
    return choice;
}

QLineEdit* ResultWindow::addTextSetting(const QString& caption, const QString& placeholder) {
    auto* field = new ReadableLineEdit(this);
    field->setPlaceholderText(placeholder);
    settings_.push_back({withCaption(caption, field), field});
    connect(field, &QLineEdit::textChanged, this, &ResultWindow::settingChanged);
    return field;
}

QPushButton* ResultWindow::addButton(const QString& text, const std::function<void()>& handler,
                                     ButtonKind kind) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
    buttons_.push_back(button);
    if (kind != ButtonKind::Always) {
        reportButtons_.push_back(button);
    }
    if (kind == ButtonKind::Told) {
        told_.push_back({button, false});
    }
    return button;
}

void ResultWindow::setInput(QWidget* area, const std::vector<QWidget*>& controls, int stretch) {
    // Under the settings, the first item of the window's column.
    static_cast<QBoxLayout*>(layout())->insertWidget(1, area, stretch);
    inputs_ = controls;
}

void ResultWindow::setInputControls(const std::vector<QWidget*>& controls) {
    inputs_ = controls;
    chainFocus();
}

// Captions and lines are made here; the frame names the first, a report each.
void ResultWindow::addResultRow() {
    auto* line = new ResultLine(this);
    if (!results_.empty()) {
        line->setObjectName("result" + QString::number(results_.size() + 1));
    }
    // Kept in the layout while hidden, so that the window does not jump as their number changes.
    QSizePolicy policy = line->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    line->setSizePolicy(policy);
    QLabel* caption = withCaption(QString(), line);
    caption->setSizePolicy(policy);
    results_.push_back({caption, line});
    placeResults(sideBySide_);
    if (!leastSize_.isEmpty()) {
        chainFocus();
    }
}

void ResultWindow::reserveResultLines(const QStringList& captions) {
    for (std::size_t at = 0; at < std::size_t(captions.size()); ++at) {
        if (at == results_.size()) {
            addResultRow();
        }
        nameResult(at, captions[qsizetype(at)]);
    }
}

// Side by side a line stands right of its caption, else under it.
void ResultWindow::placeResults(bool sideBySide) {
    clearLayout(*resultGrid_);
    const int rowsALine = sideBySide ? 1 : 2;
    for (int at = 0; at < int(results_.size()); ++at) {
        const ResultRow& row = results_[std::size_t(at)];
        resultGrid_->addWidget(row.caption, rowsALine * at, 0);
        resultGrid_->addWidget(row.line, rowsALine * at + rowsALine - 1, sideBySide ? 1 : 0, 1,
                               sideBySide ? 1 : 2);
    }
}

void ResultWindow::setPlot(QWidget* plot) {
    plot_ = plot;
    views_->addWidget(plot, 4);
}

QString ResultWindow::askForFile(FileUse use, const QString& caption, const QString& name,
                                 const QString& filter) {
    const QString offered =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(name);
    const QString file = use == FileUse::Open
                             ? QFileDialog::getOpenFileName(this, caption, offered, filter)
                             : QFileDialog::getSaveFileName(this, caption, offered, filter);
    // The window manager may hand the focus back before Qt has let the dialog go; Qt then leaves
    // every window inactive, and a screen reader, which speaks only in the active one, falls
    // silent. The user has just closed a dialog of this window, so this one is theirs.
    if (QApplication::activeWindow() == nullptr) {
        QApplication::setActiveWindow(this);
    }
    return file;
}

void ResultWindow::nameTable(const QString& name) {
    table_->setAccessibleName(name);
}

void ResultWindow::tellSoon(const QString& lead) {
    lead_ = lead;
    settling_.start();
}

void ResultWindow::settingChanged() {
    settingsChanged();
    settling_.start();
}

void ResultWindow::showBeside(const MainWindowPlace& main, const QRect& available) {
    if (leastSize_.isEmpty()) {
        measureLeastSize();
        chainFocus();
    }
    if (!isVisible()) {
        const QRect outer = mainWindow_.frameGeometry();
        const QRect inner = mainWindow_.geometry();
        const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                             outer.right() - inner.right(), outer.bottom() - inner.bottom());
        const QRect placed =
            placeBeside(available, main, wanted_.grownBy(frame), leastSize_.grownBy(frame))
                .marginsRemoved(frame);
        arrange(placed.width());
        setGeometry(placed);
        // Opened, the window tells its result, and which told buttons are available.
        for (ToldButton& button : told_) {
            button.wasAvailable = false;
        }
        settling_.start();
        if (firstFocus_ == nullptr) {
            firstFocus_ = settings_.empty() ? static_cast<QWidget*>(results_.front().line)
                                            : settings_.front().control;
        }
        firstFocus_->setFocus();
    }
    show();
    raise();
    activateWindow();
}

void ResultWindow::measureLeastSize() {
    arrange(narrowest_);
    layout()->activate();
    leastSize_ = layout()->minimumSize().expandedTo(QSize(narrowest_, 0));
    setMinimumSize(leastSize_);
}

void ResultWindow::chainFocus() {
    std::vector<QWidget*> chain;
    for (const Setting& setting : settings_) {
        chain.push_back(setting.control);
    }
    chain.insert(chain.end(), inputs_.begin(), inputs_.end());
    for (const ResultRow& row : results_) {
        chain.push_back(row.line);
    }
    if (remedy_) {
        chain.push_back(remedy_);
    }
    chain.insert(chain.end(), {table_, steps_});
    chain.insert(chain.end(), buttons_.begin(), buttons_.end());
    chain.push_back(close_);
    for (std::size_t at = 1; at < chain.size(); ++at) {
        setTabOrder(chain[at - 1], chain[at]);
    }
}

void ResultWindow::resizeEvent(QResizeEvent* event) {
    arrange(width());
    QWidget::resizeEvent(event);
    fitResultLines();
}

// Large and bold, but never wider than the line: a narrow window shows it whole in a smaller face.
void ResultWindow::fitResultLines() {
    for (const ResultRow& row : results_) {
        QLineEdit& line = *row.line;
        QFont face = font();
        face.setBold(true);
        const int base = face.pixelSize();
        const int room = line.contentsRect().width() - 2 * line.fontMetrics().averageCharWidth();
        for (int size = base * 4 / 3; size >= base; --size) {
            face.setPixelSize(size);
            if (QFontMetrics(face).horizontalAdvance(line.text()) <= room) {
                break;
            }
        }
        line.setFont(face);
        line.setCursorPosition(0);
    }
}

void ResultWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ResultWindow::arrange(int width) {
    const Arrangement& arrangement = arrangementFor(width);
    if (columns_ == arrangement.settingColumns) {
        return;
    }
    columns_ = arrangement.settingColumns;
    clearLayout(*settingsGrid_);
    for (int at = 0; at < int(settings_.size()); ++at) {
        const int row = at / columns_;
        const int column = 2 * (at % columns_);
        settingsGrid_->addWidget(settings_[std::size_t(at)].caption, row, column);
        settingsGrid_->addWidget(settings_[std::size_t(at)].control, row, column + 1);
    }
    for (int column = 0; column < 2 * arrangements[0].settingColumns; ++column) {
        settingsGrid_->setColumnStretch(column, column % 2 == 1 && column < 2 * columns_ ? 1 : 0);
    }
    // Narrow, a result line has a row of its own under its caption.
    sideBySide_ = arrangement.viewsSideBySide;
    placeResults(sideBySide_);
    views_->setDirection(sideBySide_ ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    clearLayout(*buttonGrid_);
    std::vector<QWidget*> buttons(buttons_.begin(), buttons_.end());
    buttons.push_back(close_);
    const int perRow =
        arrangement.buttonColumns > 0 ? arrangement.buttonColumns : int(buttons.size()) + 1;
    for (int at = 0; at < int(buttons.size()); ++at) {
        // In one row, 关闭 stands apart at the right end.
        const bool apart = arrangement.buttonColumns == 0 && at + 1 == int(buttons.size());
        buttonGrid_->addWidget(buttons[std::size_t(at)], at / perRow, apart ? perRow : at % perRow);
    }
    for (int column = 0; column <= perRow; ++column) {
        buttonGrid_->setColumnStretch(column, 0);
    }
    if (arrangement.buttonColumns == 0) {
        buttonGrid_->setColumnStretch(perRow - 1, 1);
    }
    // As low as this arrangement can be: a wide window sets its parts in fewer rows than the
    // narrow one whose least size it keeps.
    if (!leastSize_.isEmpty()) {
        layout()->invalidate();
        setMinimumSize(leastSize_.width(), layout()->minimumSize().height());
    }
}

// The first line is reached by its key.
void ResultWindow::nameResult(std::size_t index, const QString& caption) {
    QLabel& label = *results_[index].caption;
    label.setText(caption + (index == 0 ? "(&M)：" : "："));
    label.setAccessibleName(caption);
}

void ResultWindow::showResult(std::size_t index, const report::Result& result) {
    if (index == results_.size()) {
        addResultRow();
    }
    nameResult(index, fromUtf8(result.caption));
    const ResultRow& row = results_[index];
    row.line->setText(fromUtf8(result.text));
    row.caption->show();
    row.line->show();
}

void ResultWindow::showReport(const report::Document& report, int markedColumn) {
    problemBox_->hide();
    if (remedy_) {
        remedy_->hide();
    }
    QString steps;
    bool tableShown = false;
    std::size_t results = 0;
    for (const report::Block& block : report.blocks) {
        if (const auto* result = std::get_if<report::Result>(&block)) {
            showResult(results++, *result);
        } else if (const auto* table = std::get_if<report::Table>(&block)) {
            if (!tableShown) {
                fillTable(*table, markedColumn);
                tableShown = true;
            }
        } else if (!std::holds_alternative<report::Figure>(block)) {
            steps += fromUtf8(report::plainText({{}, {block}})).trimmed() + "\n";
        }
    }
    steps_->setPlainText(steps.trimmed());
    for (std::size_t at = results; at < results_.size(); ++at) {
        results_[at].caption->hide();
        results_[at].line->hide();
    }
    fitResultLines();
    for (QPushButton* button : reportButtons_) {
        button->setEnabled(true);
    }
}

// Made when first offered: a window that offers none has no such button.
void ResultWindow::makeRemedyButton() {
    remedy_ = new QPushButton(problemBox_);
    remedy_->setObjectName("remedy");
    remedy_->setAutoDefault(false);
    connect(remedy_, &QPushButton::clicked, this, [this] {
        // A copy: what it does may show another problem, with a remedy of its own.
        if (const std::function<void()> take = takeRemedy_) {
            take();
        }
    });
    static_cast<QBoxLayout*>(problemBox_->layout())->addWidget(remedy_, 0, Qt::AlignTop);
    if (!leastSize_.isEmpty()) {
        chainFocus();
    }
}

void ResultWindow::showProblem(const QString& problem, std::optional<Remedy> remedy) {
    problem_->setText(problem);
    problemBox_->show();
    if (remedy && !remedy_) {
        makeRemedyButton();
    }
    if (remedy_) {
        remedy_->setVisible(remedy.has_value());
    }
    if (remedy) {
        remedy_->setText(remedy->text);
        takeRemedy_ = std::move(remedy->take);
    }
    for (const ResultRow& row : results_) {
        row.line->clear();
    }
    table_->clear();
    table_->setRowCount(0);
    table_->setColumnCount(0);
    steps_->clear();
    for (QPushButton* button : reportButtons_) {
        button->setEnabled(false);
    }
}

void ResultWindow::fillTable(const report::Table& table, int markedColumn) {
    table_->clear();
    table_->setColumnCount(static_cast<int>(table.header.size()));
    table_->setRowCount(static_cast<int>(table.rows.size()));
    for (int column = 0; column < table_->columnCount(); ++column) {
        auto* header = new QTableWidgetItem(fromUtf8(table.header[std::size_t(column)]));
        header->setData(Qt::AccessibleTextRole, fromUtf8(table.spoken(std::size_t(column))));
        table_->setHorizontalHeaderItem(column, header);
    }
    const QString marked =
        markedColumn >= 0 ? "，" + fromUtf8(table.spoken(std::size_t(markedColumn))) : QString();
    const QString meaning = "，" + fromUtf8(table.emphasisMeaning);
    for (int row = 0; row < table_->rowCount(); ++row) {
        const auto index = static_cast<std::size_t>(row);
        for (int column = 0; column < table_->columnCount(); ++column) {
            const auto at = static_cast<std::size_t>(column);
            const QString text = fromUtf8(table.rows[index][at]);
            auto* item = new QTableWidgetItem(text);
            if (index < table.details.size()) {
                item->setToolTip(fromUtf8(table.details[index][at]));
                item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
            }
            // Bold and a tinted ground for the eye; in words for the ear.
            const bool emphasised = table.isEmphasised(index);
            item->setData(Qt::AccessibleTextRole,
                          text + (column == markedColumn ? marked : QString()) +
                              (emphasised && column == 0 ? meaning : QString()));
            if (emphasised) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
                item->setBackground(QColor(emphasisGround));
            }
            table_->setItem(row, column, item);
        }
    }
    table_->resizeColumnsToContents();
}

// Once the settings have settled: the result line or why there is none, and each told button
// that became available or not.
void ResultWindow::tell() {
    const ResultRow& first = results_.front();
    QStringList parts = {first.line->text().isEmpty()
                             ? problem_->text()
                             : first.caption->accessibleName() + "：" + first.line->text()};
    if (remedy_ && !remedy_->isHidden()) {
        parts.append(withoutKey(remedy_->text()) + "可用");
    }
    if (!lead_.isEmpty()) {
        parts.prepend(std::exchange(lead_, {}));
    }
    for (ToldButton& told : told_) {
        const bool available = told.button->isEnabled();
        if (available != told.wasAvailable) {
            parts.append(withoutKey(told.button->text()) + (available ? "可用" : "不可用"));
            told.wasAvailable = available;
        }
    }
    announcer_.announce(parts.join("；"));
}

} // namespace tavrello
