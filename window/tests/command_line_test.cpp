// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray series = "10.1 10.3 10.2 10.25 10.15";

struct Run {
    int status;
    QByteArray out;
    QString errors;
};

// The program as a user runs it, in `folder`: on Linux without a display, a platform chosen
// or a runtime folder for Qt, so that none of them is needed and Qt warns about none.
Run tavrello(const QStringList& arguments, const QByteArray& input = {},
             const QString& folder = QDir::currentPath(), const QString& output = {}) {
    QProcess program;
#ifdef Q_OS_LINUX
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) {
        environment.remove(name);
    }
    program.setProcessEnvironment(environment);
#endif
    program.setWorkingDirectory(folder);
    if (!output.isEmpty()) {
        program.setStandardOutputFile(output);
    }
    program.start(TAVRELLO_PROGRAM, arguments);
    program.write(input);
    program.closeWriteChannel();
    if (!program.waitForFinished(30000)) {
        qFatal("the command line did not finish");
    }
    return {program.exitCode(), program.readAllStandardOutput(),
            QString::fromUtf8(program.readAllStandardError())};
}

Run analyse(const QByteArray& input, const QStringList& options) {
    return tavrello(QStringList{"--analyse"} + options, input);
}

QJsonValue jsonOf(const QByteArray& input, const QStringList& options) {
    return QJsonDocument::fromJson(analyse(input, QStringList{"--format=json"} + options).out)
        .object();
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

QHash<QString, QByteArray> exampleSeries() {
    QHash<QString, QByteArray> examples;
    for (const QStringList& row : rowsOf("example_series.tsv")) {
        examples[row[0]] = row[1].toUtf8();
    }
    return examples;
}

// One line in Chinese: no words of English outside the quoted pieces and the options it names,
// as a system's error text would bring.
bool isOneChineseLine(const QString& errors) {
    QString words = errors;
    words.remove(QRegularExpression("“[^”]*”|--?[A-Za-z][\\w-]*(=\\S*)?|tavrello"));
    return errors.startsWith("tavrello: ") && errors.count('\n') == 1 && errors.endsWith('\n') &&
           !words.contains(QRegularExpression("[A-Za-z]{3,}"));
}

// NIST's Norris data as the data file takes them, x first, and the certified values.
QByteArray norrisFile() {
    QFile observations(QString(TAVRELLO_FIT_REFERENCE_DIR) + "/strd_observations.tsv");
    if (!observations.open(QIODevice::ReadOnly)) {
        qFatal("no NIST observations");
    }
    QByteArray file = "x\ty\n";
    for (const QByteArray& line : observations.readAll().split('\n')) {
        const QList<QByteArray> cells = line.split('\t');
        if (cells.first() == "Norris") {
            file += cells[3] + "\t" + cells[2] + "\n";
        }
    }
    return file;
}

double norrisCertified(const QString& quantity) {
    QFile certified(QString(TAVRELLO_FIT_REFERENCE_DIR) + "/strd_certified.tsv");
    if (!certified.open(QIODevice::ReadOnly)) {
        qFatal("no NIST certified values");
    }
    for (const QByteArray& line : certified.readAll().split('\n')) {
        const QList<QByteArray> cells = line.split('\t');
        if (cells.size() == 3 && cells[0] == "Norris" && cells[1] == quantity) {
            return cells[2].toDouble();
        }
    }
    qFatal("no certified %s", qPrintable(quantity));
}

QByteArray opening(const QString& file) {
    QFile written(file);
    return written.open(QIODevice::ReadOnly) ? written.read(4) : QByteArray();
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    // Every round of the published worked examples, as the JSON report gives it.
    void jsonGivesTheWorkedExamplesRoundByRound() {
        const QHash<QString, QByteArray> examples = exampleSeries();
        for (const QStringList& row : rowsOf("examples.tsv")) {
            const QString alpha = row[2].isEmpty() ? "0.05" : row[2];
            const QJsonValue report = jsonOf(examples[row[0]], {"--alpha", alpha});
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
        QCOMPARE(jsonOf(examples["EX-120"], {})["criteria"]["grubbs"]["removed"].toArray(),
                 QJsonArray({7}));
    }

    // The result line with the quantity's symbol and unit, in both reports, and what the JSON
    // report holds beside the numbers: the values as typed, the criteria's caveats, E.
    void reportsStateTheResultAsTheWindowDoes() {
        const QByteArray orifices = exampleSeries()["EX-120"];
        const QString line = "d = (120.4114 ± 0.0093) mm, P = 95 %, k = 2.16, ν = 13, E = 0.0077 %";
        const QStringList named = {"--symbol", "d", "--unit=mm"};
        QVERIFY(analyse(orifices, named).out.endsWith(("测量结果：" + line + "\n").toUtf8()));
        const QJsonValue result = jsonOf(orifices, named)["result"];
        QCOMPARE(result["text"].toString(), line);
        QCOMPARE(result["symbol"].toString(), "d");
        QCOMPARE(result["unit"].toString(), "mm");
        QCOMPARE(result["relative"].toDouble(),
                 result["U"].toDouble() / std::abs(result["mean"].toDouble()));
        // The course conventions: a fixed k, and U rounded only up (0.008608 → 0.0087).
        QCOMPARE(jsonOf(orifices,
                        named + QStringList{"--coverage", "2", "--rounding=up"})["result"]["text"]
                     .toString(),
                 "d = (120.4114 ± 0.0087) mm, k = 2, E = 0.0071 %");

        const QJsonValue typed = jsonOf("10.10 10.30 -0.200e2 10.2", {});
        QCOMPARE(typed["texts"].toArray(), QJsonArray({"10.10", "10.30", "-0.200e2", "10.2"}));
        QCOMPARE(typed["values"].toArray(), QJsonArray({10.1, 10.3, -20.0, 10.2}));
        const QJsonObject caveat = typed["criteria"]["pauta"]["warnings"][0].toObject();
        QCOMPARE(caveat["kind"].toString(), "cannot_remove");
        QVERIFY(caveat["text"].toString().contains("n ≤ 10"));
        QVERIFY(jsonOf("-1 1", {})["result"]["relative"].isNull());
    }

    // An argument, a file or a series that cannot be used: status 2, one line in Chinese that
    // names what is wrong, nothing on standard output and no file written.
    void refusesWhatItCannotUse() {
        QTemporaryDir elsewhere;
        const QString locked = elsewhere.filePath("locked.txt");
        QFile(locked).open(QIODevice::WriteOnly);
        QFile::setPermissions(locked, {});
        std::vector<std::tuple<QByteArray, QStringList, QString>> refusals = {
            {"1 2 abc 4", {}, "第 3 个数据“abc”不是一个数"},
            {"1 1e200", {}, "第 2 个数据“1e200”超出了分析的范围"},
            {"1 1e400", {}, "第 2 个数据“1e400”超出了分析的范围"},
            {"1 2\f 3", {}, "第 2 个数据“2〈换页符〉”不是一个数"},
            {"1\n2\v\n3", {}, "第 2 个数据“2〈垂直制表符〉”不是一个数"},
            {"1 2 " + QByteArray(60, 'a'), {}, "第 3 个数据“" + QString(40, 'a') + "…”不是"},
            {"10.1\n10.2\n10,3\n10.4\n", {}, "第 3 行的“10,3”含有逗号"},
            {"10,1\n10,3\n", {}, "逗号作小数点"},
            {"7", {}, "至少需要 2 个数据，只有 1 个"},
            {QByteArray("1\n").repeated(100'001), {}, "最多分析 100000 个数据，读到 100001 个"},
            {series, {"--alpha", "0.1"}, "选项 --alpha 的值“0.1”不能使用"},
            {series, {"--alpha", "0.05", "--alpha=0.01"}, "选项 --alpha 给了两次"},
            {series, {"--digits"}, "选项 --digits 后面缺少它的值"},
            {series, {"--pdf="}, "选项 --pdf 后面缺少它的值"},
            {{}, {"--pdf", "--png", "s.txt"}, "选项 --pdf 后面缺少它的值（“--png”像是一个选项"},
            {series, {"--instrument-error", "1e-200"}, "仪器允差 Δ_仪“1e-200”超出了范围"},
            {series, {"--loud"}, "不认识的选项“--loud”"},
            {{}, {"s.txt", "s.txt"}, "只能读一个文件，多出了“s.txt”"},
            {{}, {"/nonexistent/series.txt"}, "文件“/nonexistent/series.txt”不存在"},
            {{}, {"."}, "“.”是一个文件夹，不是文件"},
#ifdef Q_OS_LINUX
            {{}, {"/proc/self/mem"}, "读取文件“/proc/self/mem”时出错"},
            {{}, {"/dev/zero"}, "文件“/dev/zero”超过 64 MB"},
#endif
        };
        // Whoever may read anything reads it.
        if (!QFileInfo(locked).isReadable()) {
            refusals.emplace_back(QByteArray(), QStringList{locked},
                                  "没有读取文件“" + locked + "”的权限");
        }
        for (const auto& [input, options, message] : refusals) {
            QTemporaryDir folder;
            QFile seriesFile(folder.filePath("s.txt"));
            QVERIFY(seriesFile.open(QIODevice::WriteOnly) && seriesFile.write(series) > 0);
            seriesFile.close();
            const Run run = tavrello(QStringList{"--analyse"} + options, input, folder.path());
            QVERIFY2(run.status == 2 && run.out.isEmpty() && run.errors.contains(message) &&
                         isOneChineseLine(run.errors),
                     qPrintable(message + " ≠ " + run.errors));
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"s.txt"});
        }
    }

    // NIST's Norris data from a file: b and a agree with the certified values to 10 digits in
    // the JSON, whose text holds the lines the text report ends with.
    void fitsCertifiedDataEndToEnd() {
        QTemporaryDir folder;
        QFile file(folder.filePath("norris.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(norrisFile()) > 0);
        file.close();
        const Run json = tavrello({"--fit", file.fileName(), "--format", "json"});
        QVERIFY2(json.status == 0 && json.errors.isEmpty(), qPrintable(json.errors));
        const QJsonObject fit = QJsonDocument::fromJson(json.out).object();
        for (const auto& [key, certified] : {std::pair{"b", "B1"}, std::pair{"a", "B0"}}) {
            const double expected = norrisCertified(certified);
            QVERIFY2(std::abs(fit[key].toDouble() - expected) <= 1e-10 * std::abs(expected),
                     qPrintable(QString::number(fit[key].toDouble(), 'g', 17)));
        }
        QCOMPARE(fit["n"].toInt(), 36);
        QCOMPARE(fit["method"].toString(), "least_squares");
        const QStringList lines = fit["text"].toString().split('\n');
        QCOMPARE(lines.size(), 3);
        const Run text = tavrello({"--fit", file.fileName()});
        QVERIFY(text.out.endsWith(
            ("斜率：" + lines[0] + "\n\n截距：" + lines[1] + "\n\n相关系数：" + lines[2] + "\n")
                .toUtf8()));
        QVERIFY(lines[0].startsWith("b = (1.00212 ± 0.00087), P = 95 %, k = 2.03, ν = 34"));
    }

    // Data the fit cannot take: status 2, one line in Chinese naming the line or the point,
    // nothing on standard output.
    void fitRefusesWhatItCannotUse() {
        const std::tuple<QByteArray, QStringList, QString> refusals[] = {
            {"x y\n1 2\n3 abc\n4 5\n", {}, "第 3 行的 y“abc”不是一个数"},
            {"1 2\n2 3 0.1 7\n", {}, "第 2 行“2 3 0.1 7”有 4 列"},
            {"1 2 0.1\n2 3\n3 5 0.1\n", {}, "第 2 行“2 3”没有 u(y)"},
            {"1 2\n2 3\n", {}, "至少需要 3 个数据点，现在只有 2 个"},
            {"1 2\n0 3\n2 5\n",
             {"--transform-x", "ln"},
             "第 2 个点（第 2 行）的 x = 0，不能取 ln x"},
            {"1 2\n2 4\n3 6\n4 8\n5 9\n",
             {"--method", "successive-differences"},
             "个数为偶数，现在有 5 个。去掉最后一个点，即第 5 个点（第 5 行，x = 5）"},
            {"1 2\n2 4\n3 6\n", {"--uncertainty", "0"}, "统一的 u(y)“0”应为正数"},
        };
        for (const auto& [input, options, message] : refusals) {
            const Run run = tavrello(QStringList{"--fit"} + options, input);
            QVERIFY2(run.status == 2 && run.out.isEmpty() && run.errors.contains(message) &&
                         isOneChineseLine(run.errors),
                     qPrintable(message + " ≠ " + run.errors));
        }
    }

    // The help and the version, asked for in any order, with or without the command, need no
    // display and are answered before any other argument is looked at.
    void answersHelpAndVersionWithoutADisplay() {
        const QString version = "Tavrello " TAVRELLO_VERSION "\n";
        const std::pair<QStringList, QStringList> questions[] = {
            {{"--help"}, {"tavrello --analyse [选项] [文件]", "退出状态：0 成功；1 "}},
            {{"--version"}, {version}},
            {{"--help", "--version"}, {"tavrello --analyse [选项] [文件]", version}},
            {{"--version", "--help"}, {version, "tavrello --analyse [选项] [文件]"}},
            {{"--analyse", "--help"}, {"仪器允差 Δ_仪", "--symbol S", "--unit U", "；1 "}},
            {{"--analyse", "--alpha", "--help", "--version"}, {"--criterion", version}},
            {{"--help"}, {"tavrello --fit [选项] [文件]"}},
            {{"--fit", "--help"},
             {"--transform-y none|ln|lg|reciprocal|square|sqrt", "--uncertainty U"}},
        };
        for (const auto& [arguments, pieces] : questions) {
            const Run run = tavrello(arguments);
            const QString out = QString::fromUtf8(run.out);
            QVERIFY2(run.status == 0 && run.errors.isEmpty(), qPrintable(run.errors));
            for (const QString& piece : pieces) {
                QVERIFY2(out.contains(piece), qPrintable(arguments.join(' ') + ": " + piece));
            }
        }
    }

    // The PDF and the picture drawn without a display and without a word from Qt; whatever
    // cannot be written ends the run with status 1 and says so.
    void writesItsFilesOrSaysWhyNot() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("r.pdf");
        const QString png = folder.filePath("r.png");
        const Run drawn = analyse(series, {"--pdf", pdf, "--png=" + png});
        QVERIFY2(drawn.status == 0 && !drawn.out.isEmpty() && drawn.errors.isEmpty(),
                 qPrintable(drawn.errors));
        QCOMPARE(opening(pdf), "%PDF");
        QCOMPARE(opening(png), "\x89PNG");
#ifdef Q_OS_LINUX
        const std::tuple<QStringList, QString, QString> unwritten[] = {
            {{"--analyse"}, "/dev/full", "无法写入标准输出"},
            {{"--analyse", "--format", "json"}, "/dev/full", "无法写入标准输出"},
            {{"--help"}, "/dev/full", "无法写入标准输出"},
            {{"--analyse", "--pdf", "/dev/full"}, {}, "无法写入文件“/dev/full”"},
            {{"--analyse", "--png", "/dev/full"}, {}, "无法写入文件“/dev/full”"},
        };
        for (const auto& [arguments, output, message] : unwritten) {
            const Run run = tavrello(arguments, series, QDir::currentPath(), output);
            QVERIFY2(run.status == 1 && run.out.isEmpty() && run.errors.contains(message) &&
                         isOneChineseLine(run.errors),
                     qPrintable(arguments.join(' ') + ": " + run.errors));
        }
#endif
    }
};

// The density of a cylinder as a task file: a mass weighed once, a diameter and a height
// measured six and five times, in Chinese and English keywords.
const QByteArray rhoTask = "# 圆柱体的密度\n"
                           "模型 ρ = 4*m/(pi*d^2*h) 单位 g/cm³\n"
                           "单次测量 m = 52.33 仪器允差 0.02 分布 均匀 单位 g\n"
                           "series d = 2.0012 2.0015 2.0018 2.0014 2.0016 2.0013 unit cm\n"
                           "测量列 h = 4.027 4.025 4.029 4.026 4.028 仪器允差 0.002 单位 cm\n"
                           "设置 抽样次数 100000 种子 7\n";
const QString rhoLine = "ρ = (4.1303 ± 0.0034) g/cm³, P = 95 %, k = 1.98, ν = 113, E = 0.082 %";

Run propagate(const QByteArray& task, const QStringList& options = {}) {
    return tavrello(QStringList{"--propagate"} + options, task);
}

class PropagateCommandTest : public QObject {
    Q_OBJECT

  private slots:
    // The worked example end to end: the steps with the numbers put in, the budget, the Monte
    // Carlo validation and the result line; the JSON with the same figures.
    void worksTheDensityOfACylinder() {
        const Run text = propagate(rhoTask);
        QVERIFY2(text.status == 0 && text.errors.isEmpty(), qPrintable(text.errors));
        const QString report = QString::fromUtf8(text.out);
        for (const QString& piece : QStringList{
                 "ρ = 4m/(πd²h)（单位 g/cm³）", "∂ρ/∂d = −8m/(πd³h) = −8·52.33/(π·2.001467³·4.027)",
                 "M = 100000 次抽样（种子 7）", "验证（JCGM 101 第 8 章）"}) {
            QVERIFY2(report.contains(piece), qPrintable(piece));
        }
        QVERIFY(report.endsWith("测量结果：" + rhoLine + "\n"));
        const QJsonObject json =
            QJsonDocument::fromJson(propagate(rhoTask, {"--format=json"}).out).object();
        QCOMPARE(json["text"].toString(), rhoLine);
        QCOMPARE(json["nu_eff"].toInt(), 113);
        QCOMPARE(json["inputs"][1]["c_text"].toString(), "−8m/(πd³h)");
        QCOMPARE(json["monte_carlo"]["draws"].toInt(), 100000);
        QCOMPARE(json["monte_carlo"]["seed"].toInt(), 7);
        QVERIFY(std::abs(json["monte_carlo"]["mean"].toDouble() - json["value"].toDouble()) <
                json["u_c"].toDouble());
    }

    // An option overrides the file's settings statement.
    void optionsOverrideTheFilesSettings() {
        const QByteArray at99 = rhoTask + "设置 置信概率 99 包含因子 t\n";
        QVERIFY(QString::fromUtf8(propagate(at99).out).contains("P = 99 %"));
        const QJsonObject json =
            QJsonDocument::fromJson(propagate(at99, {"--confidence", "95", "--coverage=2",
                                                     "--draws", "10000", "--format", "json"})
                                        .out)
                .object();
        QCOMPARE(json["text"].toString(), "ρ = (4.1303 ± 0.0034) g/cm³, k = 2, E = 0.082 %");
        QCOMPARE(json["monte_carlo"]["draws"].toInt(), 10000);
    }

    // A task that cannot be worked: status 2, nothing on standard output, and one Chinese line
    // that names the line, the character and the piece.
    void refusesWithTheLineAndThePlace() {
        const std::tuple<QByteArray, QStringList, QString> refusals[] = {
            {"模型 y = 2*x^\n测量列 x = 1 2 3\n",
             {},
             "第 1 行第 11 个字符“^”：公式在“^”之后不完整。"},
            {"模型 y = 2*x\n测量列 x = 1 2 x3\n", {}, "第 2 行第 13 个字符“x3”：读数不是一个数。"},
            {"模型 y = 2*x\n单次测量 x = 1\n", {}, "第 2 行第 11 个字符：单次测量 x 缺少仪器允差"},
            {"模型 y = a*b\n常数 a = 2\n", {}, "第 1 行第 10 个字符“b”：公式中的 b 没有给出输入量"},
            {"模型 y = 2*x\n设置 抽样次数 5\n", {}, "第 2 行第 9 个字符“5”：抽样次数“5”无效"},
            {rhoTask, {"--draws", "1e6"}, "抽样次数“1e6”无效"},
            {rhoTask, {"--coverage", "4"}, "选项 --coverage 的值“4”不能使用"},
        };
        for (const auto& [task, options, message] : refusals) {
            const Run run = propagate(task, options);
            QVERIFY2(run.status == 2 && run.out.isEmpty() && run.errors.contains(message) &&
                         isOneChineseLine(run.errors),
                     qPrintable(message + " ≠ " + run.errors));
        }
    }

    // Without its symbolic module the program says so, in Chinese, and does not crash.
    void saysWhenItsModuleIsMissing() {
        QTemporaryDir folder;
        const QString alone = folder.filePath("tavrello");
        QVERIFY(QFile::copy(TAVRELLO_PROGRAM, alone));
        QProcess program;
        program.start(alone, {"--propagate"});
        program.write(rhoTask);
        program.closeWriteChannel();
        QVERIFY(program.waitForFinished(30000));
        const QString errors = QString::fromUtf8(program.readAllStandardError());
        QCOMPARE(program.exitCode(), 2);
        QVERIFY2(errors.startsWith("tavrello: 找不到解析公式的模块 tavrello-symbolic"),
                 qPrintable(errors));
    }

    // The PDF of the report and the histogram as a picture, drawn without a display.
    void drawsTheReportAndTheHistogram() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("ρ.pdf");
        const QString png = folder.filePath("ρ.png");
        const Run drawn = propagate(rhoTask, {"--draws", "10000", "--pdf", pdf, "--png", png});
        QVERIFY2(drawn.status == 0 && drawn.errors.isEmpty(), qPrintable(drawn.errors));
        QCOMPARE(opening(pdf), "%PDF");
        QCOMPARE(opening(png), "\x89PNG");
        QProcess pages;
        pages.start("pdfinfo", {pdf});
        if (pages.waitForFinished(20000)) {
            const QString info = QString::fromUtf8(pages.readAllStandardOutput());
            QVERIFY2(info.contains(QRegularExpression("Pages:\\s+[12]\n")), qPrintable(info));
        }
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    CommandLineTest analyse;
    PropagateCommandTest propagation;
    return QTest::qExec(&analyse, argc, argv) | QTest::qExec(&propagation, argc, argv);
}
#include "command_line_test.moc"
