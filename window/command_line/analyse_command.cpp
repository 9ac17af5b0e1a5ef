// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/command_line/analyse_command.h"

#include "analysis/analysis.h"
#include "analysis/json_report.h"
#include "analysis/report.h"
#include "analysis/series_text.h"
#include "window/analysis/analysis_report.h"
#include "window/appearance.h"
#include "window/fonts/interface_font.h"

#include <QFile>
#include <QGuiApplication>
#include <cstring>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tavrello {

namespace {

constexpr qsizetype largestSeries = 100'000;

const char usage[] =
    "用法：tavrello --analyse [选项] [文件]\n"
    "分析文件中的测量列（没有文件或文件为 - 时读标准输入）：粗大误差判别、系统误差检验、\n"
    "测量结果及其不确定度。数据之间以换行、制表符、空格、分号或逗号分隔。\n"
    "\n"
    "  --criterion grubbs|pauta|romanovsky|chauvenet  判别准则（默认 grubbs）\n"
    "  --alpha 0.05|0.01                  显著性水平（默认 0.05）\n"
    "  --confidence 68.27|95|99|99.73     置信概率，百分数（默认 95）\n"
    "  --instrument-error D               仪器允差 Δ（默认无）\n"
    "  --digits 1|2                       不确定度的有效位数（默认 2）\n"
    "  --format text|json                 报告的格式（默认 text）\n"
    "  --pdf FILE                         另存一页 A4 的 PDF 报告\n"
    "  --png FILE                         另存两倍大小的 PNG 数据图\n"
    "  --help                             显示本说明\n"
    "  --version                          显示版本\n"
    "\n"
    "退出状态：0 成功；2 参数或数据不能使用。\n";

// Thrown for arguments or a series that cannot be used; the text goes to standard error.
struct Refusal {
    QString text;
};

struct Request {
    QString file = "-";
    Settings settings;
    bool json = false;
    QString pdf;
    QString png;
    bool help = false;
    bool version = false;
};

void write(std::FILE* stream, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stream);
}

QString choice(const QString& option, const QString& value, const QStringList& allowed) {
    if (!allowed.contains(value)) {
        throw Refusal{
            QString("选项 %1 的值“%2”不能使用，可选：%3。").arg(option, value, allowed.join("、"))};
    }
    return value;
}

void setOption(Request& request, const QString& option, const QString& value) {
    Settings& settings = request.settings;
    if (option == "--criterion") {
        choice(option, value, {"grubbs", "pauta", "romanovsky", "chauvenet"});
        settings.criterion = *criterionFromKey(value.toStdString());
    } else if (option == "--alpha") {
        settings.alpha = choice(option, value, {"0.05", "0.01"}).toDouble();
    } else if (option == "--confidence") {
        const QStringList levels = {"68.27", "95", "99", "99.73"};
        settings.confidence =
            static_cast<Confidence>(levels.indexOf(choice(option, value, levels)));
    } else if (option == "--instrument-error") {
        try {
            settings.instrumentError = allowanceFromText(value.toStdString());
        } catch (const AnalysisError& error) {
            throw Refusal{QString::fromUtf8(error.what())};
        }
    } else if (option == "--digits") {
        settings.digits = choice(option, value, {"1", "2"}).toInt();
    } else if (option == "--format") {
        request.json = choice(option, value, {"text", "json"}) == "json";
    } else if (option == "--pdf") {
        request.pdf = value;
    } else {
        request.png = value;
    }
}

Request requestOf(const QStringList& arguments) {
    const QStringList valued = {"--criterion", "--alpha",  "--confidence", "--instrument-error",
                                "--digits",    "--format", "--pdf",        "--png"};
    Request request;
    bool fileGiven = false;
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        const QString& argument = arguments[at];
        const QString option = argument.section('=', 0, 0);
        if (argument == "--analyse") {
            continue;
        } else if (argument == "--help") {
            request.help = true;
        } else if (argument == "--version") {
            request.version = true;
        } else if (valued.contains(option)) {
            const bool inline_ = argument.contains('=');
            if (!inline_ && at + 1 == arguments.size()) {
                throw Refusal{QString("选项 %1 后面缺少它的值。").arg(option)};
            }
            setOption(request, option, inline_ ? argument.section('=', 1) : arguments[++at]);
        } else if (argument.startsWith("--") || (argument.startsWith('-') && argument != "-")) {
            throw Refusal{QString("不认识的选项“%1”。用 --help 查看用法。").arg(argument)};
        } else if (fileGiven) {
            throw Refusal{QString("只能分析一个文件，多出了“%1”。").arg(argument)};
        } else {
            request.file = argument;
            fileGiven = true;
        }
    }
    return request;
}

QByteArray inputOf(const QString& file) {
    QFile input(file);
    const bool opened =
        file == "-" ? input.open(stdin, QIODevice::ReadOnly) : input.open(QIODevice::ReadOnly);
    if (!opened) {
        throw Refusal{QString("无法读取文件“%1”：%2。").arg(file, input.errorString())};
    }
    QByteArray bytes = input.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    return bytes;
}

std::vector<Reading> seriesOf(const QByteArray& bytes) {
    const SeriesText series = splitSeries(bytes.toStdString());
    if (series.refused()) {
        throw Refusal{fromUtf8(refusalText(series, "数据"))};
    }
    if (series.notANumber) {
        throw Refusal{QString("第 %1 个数据“%2”不是一个数。")
                          .arg(series.piecesBefore + 1)
                          .arg(fromUtf8(quotedPiece(series.notANumber->text)))};
    }
    if (static_cast<qsizetype>(series.pieces.size()) > largestSeries) {
        throw Refusal{QString("最多分析 %1 个数据，读到 %2 个。")
                          .arg(largestSeries)
                          .arg(series.pieces.size())};
    }
    std::vector<Reading> readings;
    for (const SeriesPiece& piece : series.pieces) {
        const ValueText value = readValue(piece.text);
        const QString named = QString("第 %1 个数据“%2”")
                                  .arg(readings.size() + 1)
                                  .arg(fromUtf8(quotedPiece(piece.text)));
        if (value.problem == ValueText::Problem::NotANumber) {
            throw Refusal{named + "不是一个数。"};
        }
        if (value.problem == ValueText::Problem::OutOfRange) {
            throw Refusal{named + "超出了分析的范围（绝对值 1e-100 到 1e100）。"};
        }
        readings.push_back({static_cast<int>(readings.size()) + 1, value.value, piece.text});
    }
    if (readings.size() < 2) {
        throw Refusal{QString("至少需要 2 个数据，读到 %1 个。").arg(readings.size())};
    }
    return readings;
}

void writeDrawings(const Request& request, const Analysis& analysis) {
    const QFont font = analysisFont();
    if (!request.pdf.isEmpty()) {
        if (const QString error = writeAnalysisPdf(analysis, request.pdf, font); !error.isEmpty()) {
            throw Refusal{error};
        }
    }
    if (!request.png.isEmpty()) {
        if (const QString error = writeAnalysisPng(analysis, request.png, font); !error.isEmpty()) {
            throw Refusal{error};
        }
    }
}

// Drawing needs fonts, and so a GUI application; text alone does not.
bool commandLineDraws(int argc, char* argv[]) {
    for (int at = 1; at < argc; ++at) {
        if (std::strncmp(argv[at], "--pdf", 5) == 0 || std::strncmp(argv[at], "--png", 5) == 0) {
            return true;
        }
    }
    return false;
}

#ifdef _WIN32
// A program of the window subsystem starts without a console. On the command line it writes to
// the console it was started from, unless its output already goes to a file or a pipe.
void useParentConsole() {
    const auto unconnected = [](DWORD stream) {
        return GetFileType(GetStdHandle(stream)) == FILE_TYPE_UNKNOWN;
    };
    const bool output = unconnected(STD_OUTPUT_HANDLE);
    const bool error = unconnected(STD_ERROR_HANDLE);
    const bool input = unconnected(STD_INPUT_HANDLE);
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    SetConsoleOutputCP(CP_UTF8);
    if (output) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (error) {
        std::freopen("CONOUT$", "w", stderr);
    }
    if (input) {
        std::freopen("CONIN$", "r", stdin);
    }
}
#endif

} // namespace

bool startedForCommandLine(int argc, char* argv[]) {
    for (int at = 1; at < argc; ++at) {
        if (std::strcmp(argv[at], "--analyse") == 0) {
            return true;
        }
    }
    return argc == 2 &&
           (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0);
}

int runAnalyseCommand(const QStringList& arguments, std::FILE* out, std::FILE* errors) {
    try {
        const Request request = requestOf(arguments);
        if (request.help) {
            write(out, usage);
            return 0;
        }
        if (request.version) {
            write(out, "Tavrello " TAVRELLO_VERSION "\n");
            return 0;
        }
        const Analysis analysis = analyse(seriesOf(inputOf(request.file)), request.settings);
        writeDrawings(request, analysis);
        write(out, fromUtf8(request.json ? jsonReport(analysis) + "\n" : textReport(analysis)));
        return 0;
    } catch (const Refusal& refusal) {
        write(errors, "tavrello: " + refusal.text + "\n");
        return 2;
    } catch (const AnalysisError& error) {
        write(errors, "tavrello: " + QString::fromUtf8(error.what()) + "\n");
        return 2;
    }
}

int commandLineMain(int argc, char* argv[]) {
#ifdef _WIN32
    useParentConsole();
#endif
    if (!commandLineDraws(argc, argv)) {
        const QCoreApplication application(argc, argv);
        return runAnalyseCommand(QCoreApplication::arguments(), stdout, stderr);
    }
#ifndef _WIN32
    // Drawn without a display: the command line must work where none is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    const QGuiApplication application(argc, argv);
    addInterfaceFont(installedInterfaceFontFile());
    return runAnalyseCommand(QCoreApplication::arguments(), stdout, stderr);
}

} // namespace tavrello
