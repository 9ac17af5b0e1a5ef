#include "window_driver.h"

#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QTextTable>

using namespace tavrello;

namespace {

const QString workedColumn = "10.1\r\n10.3\r\n10.2\r\n10.4\r\n10.0\r\n";

void chooseFromMenu(QWidget& widget, const QString& entry) {
    QMenu* menu = openContextMenu(widget);
    QVERIFY(menu != nullptr);
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(entry)) {
            action->trigger();
        }
    }
    menu->close();
}

void paste(QWidget& box, const QString& text, const QString& gesture = "Ctrl+V") {
    QGuiApplication::clipboard()->setText(text);
    box.setFocus();
    if (gesture == "menu") {
        chooseFromMenu(box, "粘贴");
    } else {
        QTest::keySequence(&box, QKeySequence(gesture));
    }
}

// The texts of the twenty boxes, comma-separated, without the empty ones at the end.
QString boxTexts(const WindowDriver& window) {
    QStringList texts;
    for (int box = 1; box <= inputBoxCount; ++box) {
        texts.append(window.box(box).text());
    }
    return texts.join(',').remove(QRegularExpression(",+$"));
}

} // namespace

class PasteAndCopyTest : public QObject {
    Q_OBJECT

  private slots:
    // Under the method, after picking the count (0: none) and typing "7" into the box, the
    // clipboard is pasted by the gesture.
    void pasteSpreadsTheSeries_data() {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("texts");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<int>("n");
        QTest::newRow("column into box 1 before any pick")
            << "Ctrl+V" << 1 << workedColumn << 1 << "10.1,10.3,10.2,10.4,10.0" << 0 << "" << 5;
        QTest::newRow("two values before any pick")
            << "menu" << 1 << "1，2" << 2 << "1,2" << 0 << "" << 2;
        QTest::newRow("row into box 2 of eight")
            << "Shift+Ins" << 2 << " 1\t2;  3 " << 4 << ",1,2,3" << 8 << "" << 8;
        QTest::newRow("one value") << "Ctrl+V" << 1 << "10.25\n" << 1 << "710.25" << 0 << "" << 0;
        QTest::newRow("25 values")
            << "menu" << 2 << QString("1\n").repeated(25) << 1 << ",7" << 3
            << "粘贴的 25 个数放不下：从第 2 个输入框到第 20 个输入框只有 19 个框" << 3;
        QTest::newRow("range method") << "Ctrl+V" << 1 << "10.4\n10.2\n10.0" << 3 << "7" << 0
                                      << "粘贴的 3 个数放不下：极差法" << 0;
    }

    void pasteSpreadsTheSeries() {
        QFETCH(int, method);
        QFETCH(int, count);
        QFETCH(int, box);
        QFETCH(int, n);
        QFETCH(QString, notice);
        WindowDriver window;
        window.chooseMethod(method);
        if (count != 0) {
            window.pickCount(QString::number(count));
        }
        window.type(box, "7");
        QFETCH(QString, clipboard);
        QFETCH(QString, gesture);
        paste(window.box(box), clipboard, gesture);
        QTEST(boxTexts(window), "texts");
        QCOMPARE(window.form().state().n, n);
        const QString countText = control<QComboBox>(window.form(), "Combo1").currentText();
        QCOMPARE(countText, n == 0 ? "请选择" : QString::number(n));
        QCOMPARE(window.shownBoxes().size(), std::max(n, 2));
        QCOMPARE(window.notices().size(), notice.isEmpty() ? 0 : 1);
        QCOMPARE(window.notices().join("").left(notice.size()), notice);
    }

    void eachBoxUndoesItsOwnPaste() {
        WindowDriver window;
        window.type(2, "8");
        paste(window.box(1), "1\n2\n3");
        QCOMPARE(boxTexts(window), QString("1,2,3"));
        for (int box = 1; box <= 3; ++box) {
            QTest::keySequence(&window.box(box), QKeySequence::Undo);
        }
        QCOMPARE(boxTexts(window), QString(",8"));
    }

    void enterMovesOn() {
        WindowDriver window;
        window.pickCount("3");
        const std::pair<QKeySequence, QString> steps[] = {
            {Qt::Key_Return, "Text2"},
            {Qt::KeypadModifier | Qt::Key_Enter, "Text3"},
            {Qt::SHIFT | Qt::Key_Return, "Text2"},
            {Qt::SHIFT | Qt::Key_Return, "Text1"},
            {Qt::SHIFT | Qt::Key_Return, "Text1"},
            {Qt::Key_Tab, "Text2"},
            {Qt::Key_Return, "Text3"},
            {Qt::Key_Return, "Command1"}};
        for (const auto& [keys, focused] : steps) {
            QTest::keySequence(QApplication::focusWidget(), keys);
            QCOMPARE(window.focusedId(), focused);
        }
    }

    // A typical use: one series, slot 1 by the Peters method, slot 2 by the Bessel formula.
    void copyTheResultTable() {
        WindowDriver window;
        paste(window.box(1), workedColumn);
        for (const int slot : {1, 2}) {
            window.selectSlots({slot});
            window.chooseMethod(slot == 1 ? 2 : 1);
            for (const char* command : {"Command1", "Command2", "Command3"}) {
                window.click(command);
            }
        }
        chooseFromMenu(window.label("Label17"), "复制全部结果");
        const QString copiedByMenu = QGuiApplication::clipboard()->text();
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(&window.box(3), QKeySequence("Ctrl+Shift+C"));
        const QMimeData& copied = *QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied.text(),
                 "组\t算术平均值\t测量列中单次测量的标准差\t测量列算术平均值的标准差\n"
                 "1\t10.2\t0.1681074\t0.07517993\n"
                 "2\t10.2\t0.1581137\t0.07071061\n"
                 "3\t\t\t\n"
                 "4\t\t\t\n");
        QCOMPARE(copiedByMenu, copied.text());
        QTextDocument document;
        document.setHtml(copied.html());
        const auto* table = qobject_cast<QTextTable*>(document.rootFrame()->childFrames().value(0));
        QVERIFY(table != nullptr && table->rows() == 5 && table->columns() == 4);
        QCOMPARE(document.toPlainText(), '\n' + QString(copied.text()).replace('\t', '\n'));
        // One label's text, selected with the mouse.
        QLabel& mean = window.label("Label12");
        const QPoint start(2, mean.height() / 2);
        const QPoint end(mean.width() - 2, start.y());
        QTest::mousePress(&mean, Qt::LeftButton, {}, start);
        QTest::mouseMove(&mean, end);
        QTest::mouseRelease(&mean, Qt::LeftButton, {}, end);
        QTest::keySequence(&mean, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("10.2"));
    }
};

QTEST_MAIN(PasteAndCopyTest)
#include "paste_and_copy_test.moc"
