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

QString firstContextMenuText(QLineEdit& edit) {
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    return menu->actions().first()->text().section('\t', 0, 0);
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
    void platformTextsAreChineseWhereQtHasThem_data() {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QString>("undo");
        QTest::newRow("found") << platformTranslationFolders() << "确定"
                               << "撤消(&U)";
        QTest::newRow("missing") << QStringList{"/nonexistent"} << "OK"
                                 << "&Undo";
    }

    void platformTextsAreChineseWhereQtHasThem() {
        QFETCH(QStringList, folders);
        QFETCH(QString, ok);
        QFETCH(QString, undo);
        const PlatformTranslation translation(folders);
        QCOMPARE(translation.loaded(), ok != "OK");
        QCOMPARE(okButtonText(), ok);
        WindowDriver window;
        QCOMPARE(firstContextMenuText(window.box(1)), undo);
        QCOMPARE(firstContextMenuText(*control<QComboBox>(window.form(), "Combo1").lineEdit()),
                 undo);
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

    void resultLabelsAreNamedByTheirOwnTextOnly() {
        WindowDriver window;
        QAccessibleInterface& label =
            *QAccessible::queryAccessibleInterface(&window.label("Label16"));
        QCOMPARE(label.text(QAccessible::Name), QString());
        window.click("Command2");
        QCOMPARE(label.text(QAccessible::Name), QString("0"));
        window.click("Command5");
        QCOMPARE(label.text(QAccessible::Name), QString());
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
        const QPalette expected = dark ? QApplication::style()->QStyle::standardPalette() : desktop;
        const QColor window = QApplication::palette().color(QPalette::Window);
        const QColor tooltip = QToolTip::palette().color(QPalette::ToolTipBase);
        QApplication::setPalette(before);
        QToolTip::setPalette(tooltipsBefore);
        QCOMPARE(window, expected.color(QPalette::Window));
        QCOMPARE(tooltip, (dark ? expected : tooltipsBefore).color(QPalette::ToolTipBase));
        QVERIFY(!isDark(expected));
    }
};

QTEST_MAIN(WindowFinishTest)
#include "window_finish_test.moc"
