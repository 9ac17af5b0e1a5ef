#include "window_driver.h"

#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

using namespace tavrello;

namespace {

// Opens the widget's context menu as a right click does and chooses the entry.
void chooseFromMenu(QWidget& widget, const QString& entry) {
    QMenu* menu = openContextMenu(widget);
    QVERIFY(menu != nullptr);
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith(entry) && action->isEnabled()) {
            action->trigger();
            menu->close();
            return;
        }
    }
    QFAIL(qPrintable("no entry " + entry));
}

void paste(QWidget& box, const QString& gesture) {
    box.setFocus();
    if (gesture == "menu") {
        chooseFromMenu(box, "粘贴");
    } else {
        QTest::keySequence(&box, QKeySequence(gesture));
    }
}

QStringList boxTexts(const WindowDriver& window) {
    QStringList texts;
    for (int box = 1; box <= inputBoxCount; ++box) {
        texts.append(window.box(box).text());
    }
    while (!texts.isEmpty() && texts.last().isEmpty()) {
        texts.removeLast();
    }
    return texts;
}

QList<QStringList> htmlCells(const QString& html) {
    QTextDocument document;
    document.setHtml(html);
    QList<QStringList> rows;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            for (int row = 0; row < table->rows(); ++row) {
                rows.append(QStringList());
                for (int column = 0; column < table->columns(); ++column) {
                    rows.last().append(
                        table->cellAt(row, column).firstCursorPosition().block().text());
                }
            }
        }
    }
    return rows;
}

const QString workedColumn = "10.1\r\n10.3\r\n10.2\r\n10.4\r\n10.0\r\n";

void computeAndShow(WindowDriver& window) {
    for (const char* command : {"Command1", "Command2", "Command3"}) {
        window.click(command);
    }
}

} // namespace

class PasteAndCopyTest : public QObject {
    Q_OBJECT

  private slots:
    void pasteSpreadsTheSeries_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("count"); // empty: no pick before the paste
        QTest::addColumn<int>("box");       // holds "7" before the paste
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("countShown");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("notice");
        const QStringList worked = {"10.1", "10.3", "10.2", "10.4", "10.0"};
        QTest::newRow("column into box 1 before any pick")
            << 1 << "" << 1 << "Ctrl+V" << workedColumn << worked << "5" << 5 << "";
        QTest::newRow("two values before any pick")
            << 2 << "" << 1 << "menu"
            << "1 2" << QStringList{"1", "2"} << "2" << 2 << "";
        QTest::newRow("row into box 2 of eight")
            << 1 << "8" << 2 << "menu"
            << "10.1\t10.3\t10.2\n"
            << QStringList{"", "10.1", "10.3", "10.2"} << "8" << 8 << "";
        QTest::newRow("past the last shown box")
            << 4 << "8" << 6 << "Shift+Ins"
            << " 1；2;  3，4,5 " << QStringList{"", "", "", "", "", "1", "2", "3", "4", "5"} << "10"
            << 10 << "";
        QTest::newRow("one spreadsheet cell") << 1 << "" << 1 << "Ctrl+V"
                                              << "10.25\n"
                                              << QStringList{"710.25"} << "请选择" << 2 << "";
        QTest::newRow("text without a separator")
            << 1 << "3" << 3 << "menu"
            << "a.5" << QStringList{"", "", "7a.5"} << "3" << 3 << "";
        QTest::newRow("25 values") << 1 << "" << 1 << "Ctrl+V" << QString("1\n").repeated(25)
                                   << QStringList{"7"} << "请选择" << 2 << "粘贴的 25 个数放不下";
        QTest::newRow("17 values from box 5")
            << 1 << "5" << 5 << "Ctrl+V" << QString("1,").repeated(17)
            << QStringList{"", "", "", "", "7"} << "5" << 5
            << "第 5 个输入框到第 20 个输入框只有 16";
        QTest::newRow("range method, Xmax and Xmin")
            << 3 << "9" << 1 << "menu"
            << "10.4\n10.0" << QStringList{"10.4", "10.0"} << "9" << 2 << "";
        QTest::newRow("range method, three values")
            << 3 << "" << 1 << "Ctrl+V"
            << "10.4\n10.2\n10.0" << QStringList{"7"} << "请选择" << 2
            << "粘贴的 3 个数放不下：极差法";
    }

    void pasteSpreadsTheSeries() {
        QFETCH(int, method);
        QFETCH(QString, count);
        QFETCH(int, box);
        QFETCH(QString, gesture);
        QFETCH(QString, clipboard);
        WindowDriver window;
        window.chooseMethod(method);
        if (!count.isEmpty()) {
            window.pickCount(count);
        }
        window.type(box, "7");
        QGuiApplication::clipboard()->setText(clipboard);
        paste(window.box(box), gesture);
        QTEST(boxTexts(window), "texts");
        const auto& countBox = control<QComboBox>(window.form(), "Combo1");
        QTEST(countBox.currentText(), "countShown");
        QTEST(static_cast<int>(window.shownBoxes().size()), "shown");
        QCOMPARE(window.form().state().n, countBox.currentText().toInt());
        QFETCH(QString, notice);
        QCOMPARE(window.notices().size(), notice.isEmpty() ? 0 : 1);
        QVERIFY(window.notices().join("").contains(notice));
    }

    void eachBoxUndoesItsOwnPaste() {
        WindowDriver window;
        window.type(1, "7");
        window.type(2, "8");
        QGuiApplication::clipboard()->setText("1\n2\n3");
        paste(window.box(1), "Ctrl+V");
        QCOMPARE(boxTexts(window), QStringList({"1", "2", "3"}));
        for (int box = 1; box <= 3; ++box) {
            QTest::keySequence(&window.box(box), QKeySequence::Undo);
        }
        QCOMPARE(boxTexts(window), QStringList({"7", "8"}));
    }

    void enterMovesOn() {
        WindowDriver window;
        window.pickCount("3");
        window.box(1).setFocus();
        for (const auto& [keys, focused] : std::initializer_list<std::pair<QKeySequence, QString>>{
                 {Qt::Key_Return, "Text2"},
                 {Qt::KeypadModifier | Qt::Key_Enter, "Text3"},
                 {Qt::SHIFT | Qt::Key_Return, "Text2"},
                 {Qt::SHIFT | Qt::Key_Return, "Text1"},
                 {Qt::SHIFT | Qt::Key_Return, "Text1"},
                 {Qt::Key_Tab, "Text2"},
                 {Qt::Key_Return, "Text3"},
                 {Qt::Key_Return, "Command1"}}) {
            QTest::keySequence(QApplication::focusWidget(), keys);
            QCOMPARE(window.focusedId(), focused);
        }
    }

    void copyTheResultTable_data() {
        QTest::addColumn<QString>("gesture");
        QTest::newRow("Ctrl+Shift+C in an input box") << "keys";
        QTest::newRow("menu of a result label") << "menu";
    }

    // A typical use: one series, slot 1 by the Peters method, slot 2 by the Bessel formula.
    void copyTheResultTable() {
        QFETCH(QString, gesture);
        WindowDriver window;
        QGuiApplication::clipboard()->setText(workedColumn);
        paste(window.box(1), "Ctrl+V");
        window.chooseMethod(2);
        computeAndShow(window);
        window.selectSlots({2});
        window.chooseMethod(1);
        computeAndShow(window);
        if (gesture == "menu") {
            chooseFromMenu(window.label("Label17"), "复制全部结果");
        } else {
            QTest::keySequence(&window.box(3), QKeySequence("Ctrl+Shift+C"));
        }
        const QMimeData& copied = *QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied.text(),
                 "组\t算术平均值\t测量列中单次测量的标准差\t测量列算术平均值的标准差\n"
                 "1\t10.2\t0.1681074\t0.07517993\n"
                 "2\t10.2\t0.1581137\t0.07071061\n"
                 "3\t\t\t\n"
                 "4\t\t\t\n");
        QList<QStringList> rows;
        for (const QString& line : copied.text().split('\n', Qt::SkipEmptyParts)) {
            rows.append(line.split('\t'));
        }
        QCOMPARE(htmlCells(copied.html()), rows);
    }

    void resultTextSelectsWithTheMouse() {
        WindowDriver window;
        QGuiApplication::clipboard()->setText(workedColumn);
        paste(window.box(1), "Ctrl+V");
        window.click("Command1");
        QLabel& label = window.label("Label12");
        const int middle = label.height() / 2;
        QTest::mousePress(&label, Qt::LeftButton, {}, {2, middle});
        QTest::mouseMove(&label, {label.width() - 2, middle});
        QTest::mouseRelease(&label, Qt::LeftButton, {}, {label.width() - 2, middle});
        QTest::keySequence(&label, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("10.2"));
    }
};

QTEST_MAIN(PasteAndCopyTest)
#include "paste_and_copy_test.moc"
