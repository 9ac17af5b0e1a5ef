// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/analysis/analysis_report.h"

#include "analysis/text_report.h"
#include "window/analysis/series_plot.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <algorithm>

namespace tavrello {

namespace {

constexpr char title[] = "测量列数据处理报告";
// A page holds the table of a series this long; a longer one lists only its removed values.
constexpr std::size_t rowsOnAPage = 25;
constexpr QSize plotPictureSize(640, 400);

const Round* roundOf(const CriterionOutcome& outcome, int position) {
    const auto round = std::ranges::find(outcome.rounds, position, &Round::position);
    return round == outcome.rounds.end() ? nullptr : &*round;
}

QString column(const std::vector<double>& values, std::size_t row) {
    return fromUtf8(columnNumber(values[row], columnPlace(values)));
}

// Rows of removed values in bold, so that they stand out in print too.
QString htmlTable(const QStringList& header, const QList<QStringList>& rows) {
    QString html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\n<tr>";
    for (const QString& cell : header) {
        html += "<th>" + cell.toHtmlEscaped() + "</th>";
    }
    html += "</tr>\n";
    for (const QStringList& row : rows) {
        const bool removed =
            std::ranges::any_of(row, [](const QString& cell) { return cell.endsWith("剔除"); });
        html += removed ? "<tr style=\"font-weight: bold\">" : "<tr>";
        for (const QString& cell : row) {
            html += "<td>" + cell.toHtmlEscaped() + "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n";
}

QString paragraphs(const QStringList& sentences) {
    QString html;
    for (const QString& sentence : sentences) {
        html += "<p>" + sentence.toHtmlEscaped().replace('\n', "<br>") + "</p>\n";
    }
    return html;
}

QString resultParagraph(const Analysis& analysis) {
    return "<p><b>测量结果：" + fromUtf8(analysis.result.text).toHtmlEscaped() + "</b></p>\n";
}

// The rows a page has room for: all of them, or the removed ones with a note.
QString pageTable(const Analysis& analysis) {
    QList<QStringList> rows = reportRows(analysis);
    if (rows.size() <= static_cast<qsizetype>(rowsOnAPage)) {
        return htmlTable(reportColumns(), rows);
    }
    const std::vector<int>& removed = analysis.chosen().removed;
    QList<QStringList> listed;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const int position = analysis.readings[static_cast<std::size_t>(row)].position;
        if (std::ranges::find(removed, position) != removed.end() &&
            listed.size() < static_cast<qsizetype>(rowsOnAPage)) {
            listed.append(rows[row]);
        }
    }
    const QString note = QString("<p>共 %1 个数据，表中只列出%2剔除的值。</p>\n")
                             .arg(rows.size())
                             .arg(listed.size() < static_cast<qsizetype>(removed.size())
                                      ? QString("前 %1 个").arg(listed.size())
                                      : QString());
    return note + (listed.isEmpty() ? QString() : htmlTable(reportColumns(), listed));
}

QTextDocument& laidOut(QTextDocument& document, const QString& html, const QFont& font,
                       QPaintDevice& device, double width) {
    document.documentLayout()->setPaintDevice(&device);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setHtml(html);
    document.setTextWidth(width);
    return document;
}

} // namespace

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString criterionCell(const CriterionOutcome& outcome, int position) {
    const auto removed = std::ranges::find(outcome.removed, position);
    if (removed == outcome.removed.end()) {
        return "保留";
    }
    return QString("第%1轮剔除").arg(removed - outcome.removed.begin() + 1);
}

QString criterionCellDetail(const CriterionOutcome& outcome, int position) {
    const Round* round = roundOf(outcome, position);
    if (round == nullptr) {
        return {};
    }
    const QString statistic =
        std::isinf(round->statistic) ? QString("∞") : fromUtf8(sentenceNumber(round->statistic));
    return QString("统计量 %1，临界值 %2")
        .arg(statistic, fromUtf8(sentenceNumber(round->critical)));
}

QStringList reportColumns() {
    return {"序号", "x_i", "v_i", "v_i²", "拉依达", "格拉布斯", "罗曼诺夫斯基", "肖维勒"};
}

QList<QStringList> reportRows(const Analysis& analysis) {
    std::vector<double> values;
    std::vector<double> squares;
    for (std::size_t row = 0; row < analysis.readings.size(); ++row) {
        values.push_back(analysis.readings[row].value);
        squares.push_back(analysis.residuals[row] * analysis.residuals[row]);
    }
    QList<QStringList> rows;
    for (std::size_t row = 0; row < analysis.readings.size(); ++row) {
        const int position = analysis.readings[row].position;
        QStringList cells = {QString::number(position), column(values, row),
                             column(analysis.residuals, row), column(squares, row)};
        for (const CriterionOutcome& outcome : analysis.criteria) {
            cells.append(criterionCell(outcome, position));
        }
        rows.append(cells);
    }
    return rows;
}

QStringList reportSentences(const Analysis& analysis) {
    return {fromUtf8(criterionVerdict(analysis.chosen(), analysis.n)),
            fromUtf8(residualSumsSentence(analysis.systematic)),
            fromUtf8(abbeHelmertSentence(analysis.systematic)),
            fromUtf8(twoFormulasSentence(analysis.systematic)),
            fromUtf8(uncertaintyBudget(analysis.result))};
}

QString reportHtml(const Analysis& analysis) {
    // Without the character set, word processors read the Chinese as Latin-1.
    return QString("<meta charset=\"utf-8\">\n<h3>") + title + "</h3>\n" +
           htmlTable(reportColumns(), reportRows(analysis)) +
           paragraphs(reportSentences(analysis)) + resultParagraph(analysis);
}

void copyReport(const Analysis& analysis) {
    auto* data = new QMimeData;
    data->setText(fromUtf8(textReport(analysis)));
    data->setHtml(reportHtml(analysis));
    QGuiApplication::clipboard()->setMimeData(data);
}

QString writeReportPdf(const Analysis& analysis, const QString& file, const QFont& font) {
    QPdfWriter writer(file);
    writer.setTitle(title);
    writer.setCreator("Tavrello");
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return QString("无法写入文件“%1”。").arg(file);
    }
    const QRectF page = writer.pageLayout().paintRectPixels(writer.resolution());
    const QString top = QString("<h2>") + title + "</h2>\n<p>日期：" +
                        QDate::currentDate().toString("yyyy-MM-dd") + "</p>\n" +
                        pageTable(analysis);
    const QString bottom = paragraphs(reportSentences(analysis)) + resultParagraph(analysis);
    const double plotHeight = page.height() * 0.3;
    // Ligatures would reach a PDF reader's text as one sign, "ﬀ" for "ff".
    QFont unshaped = font;
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    QTextDocument upper;
    QTextDocument lower;
    // The largest size, 10 points down to 6, at which everything fits on the page.
    for (double points = 10; points >= 6; points -= 0.5) {
        QFont sized = unshaped;
        sized.setPointSizeF(points);
        laidOut(upper, top, sized, writer, page.width());
        laidOut(lower, bottom, sized, writer, page.width());
        if (upper.size().height() + plotHeight + lower.size().height() <= page.height()) {
            break;
        }
    }
    upper.drawContents(&painter);
    painter.translate(0, upper.size().height());
    // The plot in the units of a screen at 96 dpi, so that its lines and dots have the weight
    // they have in the window.
    const double screenPixel = writer.resolution() / 96.0;
    painter.save();
    painter.scale(screenPixel, screenPixel);
    QFont plotFont = unshaped;
    plotFont.setPixelSize(11);
    painter.setFont(plotFont);
    paintSeriesPlot(painter, QRectF(0, 0, page.width() / screenPixel, plotHeight / screenPixel),
                    analysis);
    painter.restore();
    painter.translate(0, plotHeight);
    lower.drawContents(&painter);
    if (!painter.end()) {
        return QString("无法写入文件“%1”。").arg(file);
    }
    return {};
}

QString writePlotPng(const Analysis& analysis, const QString& file, const QFont& font) {
    if (!seriesPlotImage(analysis, plotPictureSize, font, 2).save(file, "PNG")) {
        return QString("无法写入文件“%1”。").arg(file);
    }
    return {};
}

} // namespace tavrello
