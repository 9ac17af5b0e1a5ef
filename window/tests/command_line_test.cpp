// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

struct Run {
    int status;
    QByteArray out;
    QString errors;
};

Run analyse(const QByteArray& input, const QStringList& options) {
    QProcess program;
    program.start(TAVRELLO_PROGRAM, QStringList{"--analyse"} + options);
    program.write(input);
    program.closeWriteChannel();
    if (!program.waitForFinished(30000)) {
        qFatal("the command line did not finish");
    }
    return {program.exitCode(), program.readAllStandardOutput(),
            QString::fromUtf8(program.readAllStandardError())};
}

QList<QStringList> rowsOf(const QString& file) {
    QFile table(QString(TAVRELLO_REFERENCE_DIR) + "/" + file);
    if (!table.open(QIODevice::ReadOnly)) {
        qFatal("no %s", qPrintable(file));
    }
    QList<QStringList> rows;
    for (const QByteArray& line : table.readAll().split('\n').mid(1)) {
        if (!line.isEmpty()) {
            rows.append(QString::fromUtf8(line).split('\t'));
        }
    }
    return rows;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    // Every round of the published worked examples, as the JSON report gives it.
    void jsonGivesTheWorkedExamplesRoundByRound() {
        QHash<QString, QByteArray> series;
        for (const QStringList& row : rowsOf("example_series.tsv")) {
            series[row[0]] = row[1].toUtf8();
        }
        for (const QStringList& row : rowsOf("examples.tsv")) {
            const QString alpha = row[2].isEmpty() ? "0.05" : row[2];
            const Run run = analyse(series[row[0]], {"--format", "json", "--alpha", alpha});
            QCOMPARE(run.status, 0);
            const QJsonObject report = QJsonDocument::fromJson(run.out).object();
            const QJsonObject round = report["criteria"][row[1].toLower()]["rounds"]
                                          .toArray()[row[3].toInt() - 1]
                                          .toObject();
            const QString example = row[0] + " " + row[1] + " round " + row[3];
            QVERIFY2(std::abs(round["statistic"].toDouble() - row[8].toDouble()) < 1e-6 &&
                         std::abs(round["critical"].toDouble() - row[9].toDouble()) < 1e-6 &&
                         round["removed"].toBool() == (row[11] == "outlier"),
                     qPrintable(example));
            // In a tie the lowest box is tested; the statistic is the same.
            QVERIFY2(row[12].startsWith("tie") || round["value"].toDouble() == row[7].toDouble(),
                     qPrintable(example));
        }
        const QJsonObject orifices =
            QJsonDocument::fromJson(analyse(series["EX-120"], {"--format=json"}).out).object();
        QCOMPARE(orifices["result"]["text"].toString(),
                 "x = (120.4114 ± 0.0093), P = 95 %, k = 2.16, ν = 13, E = 0.0077 %");
        QCOMPARE(orifices["criteria"]["grubbs"]["removed"].toArray(), QJsonArray({7}));
    }

    // A series or an option that cannot be used: status 2, a message naming what is wrong,
    // nothing on standard output.
    void refusesWhatItCannotUse() {
        const std::tuple<QByteArray, QStringList, QString> refusals[] = {
            {"1 2 abc 4", {}, "第 3 个数据“abc”不是一个数"},
            {"10,1\n10,3\n", {}, "逗号作小数点"},
            {"7", {}, "至少需要 2 个数据，读到 1 个"},
            {"1 1e200", {}, "第 2 个数据“1e200”超出了分析的范围"},
            {"1 2", {"--alpha", "0.1"}, "选项 --alpha 的值“0.1”不能使用"},
            {"1 2", {"--digits"}, "选项 --digits 后面缺少它的值"},
            {"1 2", {"--loud"}, "不认识的选项“--loud”"},
            {"", {"/nonexistent/series.txt"}, "无法读取文件“/nonexistent/series.txt”"},
            {QByteArray("1\n").repeated(100'001), {}, "最多分析 100000 个数据，读到 100001 个"}};
        for (const auto& [input, options, message] : refusals) {
            const Run run = analyse(input, options);
            QVERIFY2(run.status == 2 && run.out.isEmpty() && run.errors.contains(message),
                     qPrintable(run.errors));
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
