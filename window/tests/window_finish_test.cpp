#include "light_palette.h"
#include "platform_translation.h"
#include "window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <memory>

using namespace tavrello;

namespace {

QString okButtonText() {
    QMessageBox box(QMessageBox::Critical, "Tavrello", "", QMessageBox::Ok);
    return box.button(QMessageBox::Ok)->text();
}

QStringList contextMenuTexts(QLineEdit& edit) {
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            texts.append(action->text().section('\t', 0, 0));
        }
    }
    return texts;
}

void turnWheelDown(QWidget& widget) {
    const QPointF centre = QRectF(widget.rect()).center();
    QWheelEvent turn(centre, widget.mapToGlobal(centre), {}, {0, -120}, Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &turn);
}

QPalette paletteOf(const QColor& window, const QColor& text) {
    QPalette palette(window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    return palette;
}

} // namespace

// Platform texts, borders, selectors, keys, screen readers and colours as on the desktop the
// window was made for.
class WindowFinishTest : public QObject {
    Q_OBJECT

  private slots:
    void platformTextsAreChinese() {
        const PlatformTranslation translation;
        QVERIFY(translation.loaded());
        QCOMPARE(okButtonText(), QString("确定"));
        WindowDriver window;
        const QStringList chinese = {"撤消(&U)", "重做(&R)", "剪切(&T)", "复制(&C)",
                                     "粘贴(&P)", "删除",     "全选"};
        QCOMPARE(contextMenuTexts(window.box(1)), chinese);
        QCOMPARE(contextMenuTexts(*control<QComboBox>(window.form(), "Combo1").lineEdit()),
                 chinese);
    }

    void withoutTheTranslationTextsStayEnglish() {
        const PlatformTranslation translation(QStringList{"/nonexistent"});
        QVERIFY(!translation.loaded());
        QCOMPARE(okButtonText(), QString("OK"));
    }

    void resultAndStatusLabelsHaveASingleShadowLine_data() {
        QTest::addColumn<QString>("id");
        for (const char* id : {"Label12", "Label15", "Label19", "Label23", "Label8", "Label10"}) {
            QTest::newRow(id) << id;
        }
    }

    void resultAndStatusLabelsHaveASingleShadowLine() {
        QFETCH(QString, id);
        WindowDriver window;
        const QImage picture = window.form().grab().toImage();
        const QLabel& label = window.label(id);
        const QRect edges(label.mapTo(&window.form(), QPoint(0, 0)), label.size());
        const QColor shadow = label.palette().color(QPalette::Dark);
        const QPoint centre = edges.center();
        for (const QPoint& edge :
             {QPoint(edges.left(), centre.y()), QPoint(edges.right(), centre.y()),
              QPoint(centre.x(), edges.top()), QPoint(centre.x(), edges.bottom())}) {
            QCOMPARE(picture.pixelColor(edge).rgb(), shadow.rgb());
        }
        const QPoint inside(edges.left() + 1, centre.y());
        QCOMPARE(picture.pixelColor(inside).rgb(), label.palette().color(QPalette::Window).rgb());
    }

    void neighbouringResultLabelsShareALine() {
        WindowDriver window;
        for (const int first : {12, 16, 20}) {
            for (int number = first; number < first + 3; ++number) {
                const QRect upper = window.label(numbered("Label", number)).geometry();
                const QRect lower = window.label(numbered("Label", number + 1)).geometry();
                QCOMPARE(lower.top(), upper.bottom());
            }
        }
    }

    void wheelPicksOnlyWhenTheSelectorHasTheFocus_data() {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<int>("count");
        QTest::newRow("focus in an input box") << false << 5;
        QTest::newRow("focus in the selector") << true << 6;
    }

    void wheelPicksOnlyWhenTheSelectorHasTheFocus() {
        QFETCH(bool, focused);
        QFETCH(int, count);
        WindowDriver window;
        window.pickCount("5");
        auto& selector = control<QComboBox>(window.form(), "Combo1");
        if (focused) {
            selector.setFocus();
        } else {
            window.box(1).setFocus();
        }
        // A turn the platform delivers reaches the selector through its text field; neither may
        // take the focus on a wheel turn.
        for (const QWidget* part :
             std::initializer_list<const QWidget*>{&selector, selector.lineEdit()}) {
            QVERIFY((part->focusPolicy() & Qt::WheelFocus) != Qt::WheelFocus);
        }
        turnWheelDown(selector);
        QCOMPARE(window.form().state().n, count);
        QCOMPARE(window.shownBoxes().size(), count);
        QCOMPARE(window.focusedId(), QString(focused ? "Combo1" : "Text1"));
    }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("held");
        QTest::addColumn<int>("presses");
        QTest::newRow("Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << false << 1;
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << false << 1;
        QTest::newRow("held Enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << true << 0;
        QTest::newRow("Ctrl+Enter")
            << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier) << false << 0;
    }

    // Computing before any count is picked reports an error, so each press is counted.
    void enterPressesTheFocusedButton() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, held);
        QFETCH(int, presses);
        WindowDriver window;
        auto& compute = control<QPushButton>(window.form(), "Command1");
        compute.setFocus();
        QKeyEvent press(QEvent::KeyPress, key, modifiers, "\r", held);
        QApplication::sendEvent(&compute, &press);
        QCOMPARE(window.reportedErrors().size(), std::size_t(presses));
        QVERIFY(!compute.isDefault());
    }

    void emptyResultLabelsHaveNoName() {
        WindowDriver window;
        const auto name = [&](const QString& id) {
            return QAccessible::queryAccessibleInterface(&window.label(id))
                ->text(QAccessible::Name);
        };
        QCOMPARE(name("Label12"), QString());
        window.pickCount("2");
        window.type(1, "3");
        window.type(2, "5");
        window.click("Command1");
        QCOMPARE(name("Label12"), QString("4"));
        window.click("Command5");
        QCOMPARE(name("Label12"), QString());
        QCOMPARE(name("Label23"), QString());
    }

    void darkDesktopPaletteGivesWayToTheStandardOne_data() {
        QTest::addColumn<QPalette>("desktop");
        QTest::addColumn<bool>("dark");
        QTest::newRow("dark") << paletteOf(QColor(0x35, 0x35, 0x35), Qt::white) << true;
        QTest::newRow("light") << paletteOf(QColor(0xF0, 0xEC, 0xE0), Qt::black) << false;
    }

    void darkDesktopPaletteGivesWayToTheStandardOne() {
        QFETCH(QPalette, desktop);
        QFETCH(bool, dark);
        const QPalette before = QApplication::palette();
        const QPalette tooltipsBefore = QToolTip::palette();
        QApplication::setPalette(desktop);
        QCOMPARE(isDark(desktop), dark);
        keepPaletteLight();
        const QPalette expected = dark ? QApplication::style()->standardPalette() : desktop;
        const QColor window = QApplication::palette().color(QPalette::Window);
        const QColor tooltip = QToolTip::palette().color(QPalette::ToolTipBase);
        QApplication::setPalette(before);
        QToolTip::setPalette(tooltipsBefore);
        QCOMPARE(window, expected.color(QPalette::Window));
        if (dark) {
            QCOMPARE(tooltip, expected.color(QPalette::ToolTipBase));
        }
        QVERIFY(!isDark(expected));
    }
};

QTEST_MAIN(WindowFinishTest)
#include "window_finish_test.moc"
