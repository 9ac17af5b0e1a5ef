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
const QString notPasted = "。未粘贴任何数。";

} // namespace

class PasteAndCopyTest : public QObject {
    Q_OBJECT

  private slots:
    // Under the method, after picking the count (0: none) and typing "7" into the box, the
    // clipboard is pasted by the gesture. Then the window shows the boxes' texts up to the last
    // filled one, n, the selector's text, the boxes in use and what it told the user.
    void pasteSpreadsTheSeries() {
        const std::tuple<QString, int, QString, int, int, QStringList> pastes[] = {
            {"Ctrl+V", 1, workedColumn, 1, 0, {"10.1,10.3,10.2,10.4,10.0", "5", "5", "5", ""}},
            {"menu", 1, "1，2", 2, 0, {"1,2", "2", "2", "2", ""}},
            {"Shift+Ins", 2, " 1\t2;  3 ", 4, 8, {",1,2,3", "8", "8", "8", ""}},
            {"Ctrl+V", 1, "10.25\n", 1, 0, {"710.25", "0", "请选择", "2", ""}},
            {"menu",
             2,
             QString("1\n").repeated(25),
             1,
             3,
             {",7", "3", "3", "3",
              "粘贴的 25 个数放不下：从第 2 个输入框到第 20 个输入框只有 19 个框" + notPasted}},
            {"Ctrl+V",
             1,
             "10.4\n10.2\n10.0",
             3,
             0,
             {"7", "0", "请选择", "2",
              "粘贴的 3 个数放不下：极差法只用 Xmax 和 Xmin 两个输入框，从此框起只有 2 个" +
                  notPasted}}};
        for (const auto& [gesture, box, clipboard, method, count, shown] : pastes) {
            WindowDriver window;
            window.chooseMethod(method);
            if (count != 0) {
                window.pickCount(QString::number(count));
            }
            window.type(box, "7");
            window.paste(box, clipboard, gesture);
            QCOMPARE(
                QStringList({window.boxTexts().join(',').remove(QRegularExpression(",+$")),
                             QString::number(window.form().state().n),
                             control<QComboBox>(window.form(), "Combo1").currentText(),
                             QString::number(window.shownCount()), window.notices().join('|')}),
                shown);
        }
    }

    void eachBoxUndoesItsOwnPaste() {
        WindowDriver window;
        window.type(2, "8");
        window.paste(1, "1\n2\n3");
        QCOMPARE(window.boxTexts().mid(0, 3), QStringList({"1", "2", "3"}));
        for (int box = 1; box <= 3; ++box) {
            QTest::keySequence(&window.box(box), QKeySequence::Undo);
        }
        QCOMPARE(window.boxTexts().mid(0, 4), QStringList({"", "8", "", ""}));
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

    // A typical use: one series, slot 1 by the Peters method, slot 2 by the Bessel formula;
    // the table copied by the label's menu and by the shortcut, one label's text by the mouse.
    void copyTheResultTable() {
        WindowDriver window;
        window.paste(1, workedColumn);
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
