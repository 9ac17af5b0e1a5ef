// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "report/document.h"
#include "window/accessibility/announcer.h"
#include "window/result_window/choice_box.h"
#include "window/result_window/placement.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace tavrello {

// The frame of a window that works out a result from the main window's data, or from data typed
// into it: its settings on top, the data typed where the window takes any, the result lines
// under them, then the table beside the plot (under it where the window is narrow), the worked
// steps and the buttons. It goes beside the main window where the screen
// has room, and tells a screen reader what a change of a setting did once the change settles.
// A window fills it with its settings, plot and buttons, and shows a report or a problem.
class ResultWindow : public QWidget {
    Q_OBJECT

  public:
    // Opens the window beside the main window, or brings it forward.
    void showBeside(const MainWindowPlace& main, const QRect& available);

    // The size a window asks for unless it says otherwise, and the least it can be shown at;
    // frames not included.
    static constexpr QSize wantedSize{960, 700};
    QSize leastSize() const { return leastSize_; }

  protected:
    // The main window and its announcer outlive this. A window that wants more room says how
    // much, and the width below which its arrangement would not fit what it holds (0: down to
    // the narrow one).
    ResultWindow(QWidget& mainWindow, Announcer& announcer, const QString& title,
                 QSize wanted = wantedSize, int narrowest = 0);

    // Building, in the order of the settings, and of the buttons before 关闭. A caption carries
    // its key as "(&C)"; it names the control for a screen reader. A change of a setting calls
    // settingsChanged at once, and is told once it has settled.
    ChoiceBox* addChoice(const QString& caption,
                         const QList<std::pair<QString, QVariant>>& entries);
    QLineEdit* addTextSetting(const QString& caption, const QString& placeholder);
    // What a button works on: the report, available with it (and its becoming available or not
    // told with the result), or the window's own data, always available.
    enum class ButtonKind { Report, Told, Always };
    QPushButton* addButton(const QString& text, const std::function<void()>& handler,
                           ButtonKind kind = ButtonKind::Report);
    void setPlot(QWidget* plot);
    // What has the focus when the window opens: the first setting unless said otherwise.
    void setFirstFocus(QWidget* widget) { firstFocus_ = widget; }
    // The table's name for a screen reader.
    void nameTable(const QString& name);
    // The file the user picks over this window, offered in the documents folder (as `name` when
    // saving); empty when they cancel.
    enum class FileUse { Open, Save };
    QString askForFile(FileUse use, const QString& caption, const QString& name,
                       const QString& filter);
    // An area the user fills, a data table say, between the settings and the result lines; its
    // controls follow the settings in the Tab order, in the order given.
    void setInput(QWidget* area, const std::vector<QWidget*>& controls, int stretch);
    // For an area whose controls come and go.
    void setInputControls(const std::vector<QWidget*>& controls);
    // Rows for the result lines a report of the window states, under these captions until a
    // report names them; a row a report leaves out is hidden and keeps its room.
    void reserveResultLines(const QStringList& captions);

    // The report's result lines, each under its caption, first table and sentences (headings,
    // paragraphs and notes). A cell of the marked column also says its column's spoken name, and
    // the first cell of an emphasised row what the emphasis means. Enables the buttons.
    void showReport(const report::Document& report, int markedColumn = -1);
    // What the user can do about a problem, as a button beside it.
    struct Remedy {
        QString text;
        std::function<void()> take;
    };
    // Clears every output, shows why there is none and disables the buttons.
    void showProblem(const QString& problem, std::optional<Remedy> remedy = std::nullopt);

    // A caption that names the control for a screen reader, as the settings' captions do, for a
    // control the window places itself.
    QLabel* withCaption(const QString& caption, QWidget* control);

    // Tells `lead` with the result line once the window has settled, as after a setting's change.
    void tellSoon(const QString& lead);

    virtual void settingsChanged() = 0;

    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct Setting {
        QLabel* caption;
        QWidget* control;
    };
    struct ToldButton {
        QPushButton* button;
        bool wasAvailable;
    };
    struct ResultRow {
        QLabel* caption;
        QLineEdit* line;
    };

    void build();
    void settingChanged();
    void arrange(int width);
    void measureLeastSize();
    void chainFocus();
    void tell();
    void addResultRow();
    void placeResults(bool sideBySide);
    void makeRemedyButton();
    void nameResult(std::size_t index, const QString& caption);
    void showResult(std::size_t index, const report::Result& result);
    void fitResultLines();
    void fillTable(const report::Table& table, int markedColumn);

    QWidget& mainWindow_;
    Announcer& announcer_;
    QSize wanted_;
    int narrowest_;
    QWidget* firstFocus_ = nullptr;
    QSize leastSize_;
    QTimer settling_;
    QString lead_;
    std::vector<Setting> settings_;
    std::vector<QPushButton*> buttons_;
    std::vector<QPushButton*> reportButtons_;
    std::vector<ToldButton> told_;

    QGridLayout* settingsGrid_;
    std::vector<QWidget*> inputs_;
    QGridLayout* resultGrid_;
    // The first is the one told.
    std::vector<ResultRow> results_;
    QWidget* problemBox_;
    QLabel* problem_;
    QPushButton* remedy_ = nullptr;
    std::function<void()> takeRemedy_;
    QBoxLayout* views_;
    QTableWidget* table_;
    QWidget* plot_ = nullptr;
    QPlainTextEdit* steps_;
    QGridLayout* buttonGrid_;
    QPushButton* close_;
    int columns_ = 0;
    bool sideBySide_ = true;
};

} // namespace tavrello
