#include "error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace tavrello;

class ErrorReportTest : public QObject {
    Q_OBJECT

  private slots:
    void reportNamesNumberAndDescription_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("overflow") << 6 << "运行时错误 '6':\n\n溢出";
        QTest::newRow("subscript") << 9 << "运行时错误 '9':\n\n下标越界";
        QTest::newRow("division") << 11 << "运行时错误 '11':\n\n除数为零";
        QTest::newRow("type") << 13 << "运行时错误 '13':\n\n类型不匹配";
    }

    void reportNamesNumberAndDescription() {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(errorReportText(RunTimeError(static_cast<ErrorNumber>(number))), text);
    }

    void messageBoxWaitsForTheUser() {
        QWidget window;
        window.show();
        QString title;
        QString text;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            text = box->text();
            QTest::keyClick(box, Qt::Key_Enter);
        });
        MessageBoxReporter().report(window, RunTimeError(ErrorNumber::Overflow));
        QCOMPARE(title, QString("Tavrello"));
        QCOMPARE(text, QString("运行时错误 '6':\n\n溢出"));
    }
};

QTEST_MAIN(ErrorReportTest)
#include "error_report_test.moc"
