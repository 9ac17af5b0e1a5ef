#include "monkey_texts.h"
#include "number_text_form.h"
#include "window_driver.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <cmath>
#include <optional>
#include <random>

using namespace tavrello;

namespace {

constexpr int actionCount = 20000;
constexpr std::uint32_t defaultSeed = 20070325;
constexpr int methodCount = 4;
constexpr int rangeMethod = 3;
constexpr int commandCount = 5;
constexpr int clearOutputCommand = 5;
constexpr int clearInputCommand = 4;
constexpr int computeCommand = 1;
constexpr int firstResultLabel = 12;
constexpr std::chrono::milliseconds responseBound{2000};

std::uint32_t chosenSeed() {
    bool given = false;
    const std::uint32_t seed = qEnvironmentVariable("TAVRELLO_MONKEY_SEED").toUInt(&given);
    return given ? seed : defaultSeed;
}

int between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution(low, high)(random);
}

// Keys go where the user's keyboard goes: to the widget that has the focus.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// QTest::keyClicks passes Latin-1 only; other characters arrive as the text of a key event.
void typeText(const QString& text) {
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                QString(character), Qt::NoModifier);
        }
    }
}

// A zero timer queued now must fire: the event loop is still turning.
bool answersPromptly() {
    const QObject context;
    bool answered = false;
    QTimer::singleShot(0, &context, [&answered] { answered = true; });
    const QDeadlineTimer deadline(responseBound);
    while (!answered && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
    }
    return answered;
}

QString expectedCaption(int row, int method) {
    if (method == rangeMethod && row <= 2) {
        return row == 1 ? "Xmax" : "Xmin";
    }
    return QString("%1→").arg(row, 2, 10, QChar('0'));
}

bool isKnownError(ErrorNumber number) {
    const int value = static_cast<int>(number);
    return value == 6 || value == 9 || value == 11 || value == 13;
}

bool isSoundDeviation(float value) {
    return std::isfinite(value) && !(value < 0);
}

// Drives the real window with random clicks and key presses and keeps its own account of
// what the window must show, worked out from the user's actions alone.
class Monkey {
  public:
    explicit Monkey(std::uint32_t seed) : random_(seed) {
        for (int box = 1; box <= inputBoxCount; ++box) {
            boxes_[box - 1] = &window_.box(box);
            captions_[box - 1] = &window_.label(rowCaptionId(box));
            boxTexts_[box - 1] = boxes_[box - 1]->text();
        }
        for (int slot = 1; slot <= slotCount; ++slot) {
            checkBoxes_[slot - 1] = &window_.check(slot);
            checks_[slot - 1] = checkBoxes_[slot - 1]->isChecked();
        }
        for (int method = 1; method <= methodCount; ++method) {
            options_[method - 1] =
                &control<QRadioButton>(window_.form(), numbered("Option", method));
        }
        for (int index = 0; index < resultLabelCount; ++index) {
            results_[index] = &window_.label(numbered("Label", firstResultLabel + index));
        }
    }

    // Does one random action and tells what it was.
    QString act() {
        resultsBefore_ = results();
        touchesResults_ = false;
        clearsResults_ = false;
        mayReport_ = false;
        struct Action {
            int weight;
            QString (Monkey::*run)();
        };
        static constexpr std::array<Action, 6> actions = {{{8, &Monkey::pickCount},
                                                           {8, &Monkey::chooseMethod},
                                                           {40, &Monkey::typeIntoBox},
                                                           {4, &Monkey::typeIntoCountField},
                                                           {8, &Monkey::toggleCheck},
                                                           {32, &Monkey::pressCommand}}};
        int draw = between(random_, 1, 100);
        for (const Action& action : actions) {
            draw -= action.weight;
            if (draw <= 0) {
                return (this->*action.run)();
            }
        }
        qFatal("the action weights do not add up to 100");
    }

    // The first rule the window breaks, if any.
    std::optional<QString> brokenRule() {
        for (auto rule : {&Monkey::errorsAreKnown, &Monkey::methodAgrees, &Monkey::boxesFollowPicks,
                          &Monkey::captionsFollowMethod, &Monkey::inputIsKept,
                          &Monkey::resultsAreNumbers, &Monkey::deviationsAreSound}) {
            if (std::optional<QString> broken = (this->*rule)()) {
                return broken;
            }
        }
        if (!answersPromptly()) {
            return "the event loop did not answer a zero timer";
        }
        return std::nullopt;
    }

  private:
    QString pickCount() {
        const int count = between(random_, 2, inputBoxCount);
        window_.pickCount(QString::number(count));
        pickedCount_ = count;
        shownCount_ = method_ == rangeMethod ? 2 : count;
        return QString("pick %1").arg(count);
    }

    QString chooseMethod() {
        method_ = between(random_, 1, methodCount);
        window_.chooseMethod(method_);
        return QString("method %1").arg(method_);
    }

    QString typeIntoBox() {
        const int number = between(random_, 1, shownCount_);
        QLineEdit& box = *boxes_[number - 1];
        QString& kept = boxTexts_[number - 1];
        QTest::mouseClick(&box, Qt::LeftButton);
        const QString text = monkeyText(random_);
        switch (between(random_, 0, 9)) {
        case 0: {
            const int erased = between(random_, 1, 4);
            press(Qt::Key_End);
            for (int key = 0; key < erased; ++key) {
                press(Qt::Key_Backspace);
            }
            kept.chop(erased);
            return QString("erase %1 in box %2").arg(erased).arg(number);
        }
        case 1:
        case 2:
            press(Qt::Key_End);
            typeText(text);
            kept += text;
            return QString("append \"%1\" to box %2").arg(text).arg(number);
        default:
            press(Qt::Key_A, Qt::ControlModifier);
            press(Qt::Key_Backspace);
            typeText(text);
            kept = text;
            return QString("type \"%1\" into box %2").arg(text).arg(number);
        }
    }

    // Typing, Enter and leaving the field are not picks.
    QString typeIntoCountField() {
        QLineEdit& field = *control<QComboBox>(window_.form(), "Combo1").lineEdit();
        QTest::mouseClick(&field, Qt::LeftButton);
        press(Qt::Key_A, Qt::ControlModifier);
        const QString text = between(random_, 0, 1) == 0 ? QString::number(between(random_, -5, 25))
                                                         : monkeyText(random_);
        typeText(text);
        const bool enter = between(random_, 0, 1) == 1;
        if (enter) {
            press(Qt::Key_Return);
        }
        return QString("type \"%1\"%2 into the count field").arg(text, enter ? " and Enter" : "");
    }

    QString toggleCheck() {
        const int slot = between(random_, 1, slotCount);
        window_.click(numbered("Check", slot));
        checks_[slot - 1] = !checks_[slot - 1];
        return QString("toggle slot %1").arg(slot);
    }

    QString pressCommand() {
        const int command = between(random_, 1, commandCount);
        window_.click(numbered("Command", command));
        touchesResults_ = command != clearInputCommand;
        clearsResults_ = command == clearOutputCommand;
        mayReport_ = command == computeCommand;
        if (command == clearInputCommand) {
            boxTexts_.fill(QString());
        }
        return QString("press command %1").arg(command);
    }

    std::optional<QString> errorsAreKnown() {
        const std::vector<ErrorNumber>& reported = window_.reportedErrors();
        for (; errorsSeen_ < reported.size(); ++errorsSeen_) {
            const ErrorNumber number = reported[errorsSeen_];
            if (!mayReport_ || !isKnownError(number)) {
                return QString("reported error %1").arg(static_cast<int>(number));
            }
        }
        return std::nullopt;
    }

    std::optional<QString> methodAgrees() {
        const int c = window_.form().state().c;
        if (c != method_) {
            return QString("c is %1, the chosen method %2").arg(c).arg(method_);
        }
        for (int method = 1; method <= methodCount; ++method) {
            const bool chosen = options_[method - 1]->isChecked();
            if (chosen != (method == method_)) {
                return QString("option %1 is %2").arg(method).arg(chosen ? "set" : "clear");
            }
        }
        return std::nullopt;
    }

    std::optional<QString> boxesFollowPicks() {
        if (window_.form().state().n != pickedCount_) {
            return QString("n is %1 after picking %2")
                .arg(window_.form().state().n)
                .arg(pickedCount_);
        }
        for (int box = 1; box <= inputBoxCount; ++box) {
            if (boxes_[box - 1]->isVisible() != (box <= shownCount_)) {
                return QString("box %1 is %2 with %3 boxes in use")
                    .arg(box)
                    .arg(boxes_[box - 1]->isVisible() ? "shown" : "hidden")
                    .arg(shownCount_);
            }
        }
        return std::nullopt;
    }

    std::optional<QString> captionsFollowMethod() {
        for (int row = 1; row <= inputBoxCount; ++row) {
            const QString caption = captions_[row - 1]->text();
            if (caption != expectedCaption(row, method_)) {
                return QString("row %1 reads \"%2\"").arg(row).arg(caption);
            }
        }
        return std::nullopt;
    }

    std::optional<QString> inputIsKept() {
        for (int box = 1; box <= inputBoxCount; ++box) {
            if (boxes_[box - 1]->text() != boxTexts_[box - 1]) {
                return QString("box %1 holds \"%2\", typed was \"%3\"")
                    .arg(box)
                    .arg(boxes_[box - 1]->text(), boxTexts_[box - 1]);
            }
        }
        for (int slot = 1; slot <= slotCount; ++slot) {
            if (checkBoxes_[slot - 1]->isChecked() != checks_[slot - 1]) {
                return QString("check box %1 is not as clicked").arg(slot);
            }
        }
        return std::nullopt;
    }

    std::optional<QString> resultsAreNumbers() {
        const QStringList shown = results();
        if (!touchesResults_ && shown != resultsBefore_) {
            return QString("results changed: %1").arg(shown.join(" | "));
        }
        for (qsizetype index = 0; index < shown.size(); ++index) {
            const QString& text = shown[index];
            const bool deviation = index >= slotCount; // after the means
            if (clearsResults_ ? !text.isEmpty()
                               : !text.isEmpty() && (!isWellFormedNumberText(text) ||
                                                     (deviation && text.startsWith('-')))) {
                return QString("result label %1 shows \"%2\"")
                    .arg(firstResultLabel + index)
                    .arg(text);
            }
        }
        return std::nullopt;
    }

    std::optional<QString> deviationsAreSound() {
        const CalculationState& state = window_.form().state();
        if (!isSoundDeviation(state.u) || !isSoundDeviation(state.j)) {
            return QString("u is %1 and j is %2").arg(state.u).arg(state.j);
        }
        return std::nullopt;
    }

    QStringList results() const {
        QStringList texts;
        for (const QLabel* label : results_) {
            texts.append(label->text());
        }
        return texts;
    }

    WindowDriver window_;
    std::array<QLineEdit*, inputBoxCount> boxes_{};
    std::array<QLabel*, inputBoxCount> captions_{};
    std::array<QCheckBox*, slotCount> checkBoxes_{};
    std::array<QRadioButton*, methodCount> options_{};
    // Label12 to Label23: the means, then both deviations, each in slot order.
    std::array<QLabel*, resultLabelCount> results_{};
    std::mt19937 random_;
    int method_ = 1;
    int pickedCount_ = 0;
    int shownCount_ = 2;
    std::array<QString, inputBoxCount> boxTexts_;
    std::array<bool, slotCount> checks_{};
    std::size_t errorsSeen_ = 0;
    QStringList resultsBefore_;
    bool touchesResults_ = false;
    bool clearsResults_ = false;
    bool mayReport_ = false;
};

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

  private slots:
    // The matcher must accept what a label may show and refuse near misses, or the monkey
    // checks nothing.
    void matcherTellsNumberTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wellFormed");
        for (const char* text :
             {"0", "0.5", "-2.5", "0.3333333", "100", "1234567", "1.234568E+07", "1.234E-05",
              "0.0001", "-1.401298E-45", "3.402823E+38", "1E-05", "9999999", "-0.0001234567"}) {
            QTest::newRow(text) << QString(text) << true;
        }
        for (const char* text : {"",
                                 "-0",
                                 ".5",
                                 "0.50",
                                 "1.0",
                                 "01",
                                 "12345678",
                                 "0.00001",
                                 "1E+06",
                                 "1E-04",
                                 "1e+07",
                                 "1.234568E+7",
                                 "1.2345678E+07",
                                 "10E+07",
                                 "Infinity",
                                 "-Infinity",
                                 "NaN",
                                 " 1",
                                 "1,5",
                                 "--1",
                                 "1.",
                                 "0.12345678",
                                 "1E+39",
                                 "1E-46",
                                 "-",
                                 "+1",
                                 "1.234568E+007",
                                 "0.000123456789"}) {
            QTest::newRow(text) << QString(text) << false;
        }
    }

    void matcherTellsNumberTexts() {
        QFETCH(QString, text);
        QFETCH(bool, wellFormed);
        QCOMPARE(isWellFormedNumberText(text), wellFormed);
    }

    void randomActionsKeepTheWindowSound() {
        const std::uint32_t seed = chosenSeed();
        Monkey monkey(seed);
        for (int step = 1; step <= actionCount; ++step) {
            const QString action = monkey.act();
            if (const std::optional<QString> broken = monkey.brokenRule()) {
                QFAIL(qPrintable(QString("seed %1 (TAVRELLO_MONKEY_SEED), action %2, %3: %4")
                                     .arg(seed)
                                     .arg(step)
                                     .arg(action, *broken)));
            }
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
