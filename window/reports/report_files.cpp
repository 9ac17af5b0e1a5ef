// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/reports/report_files.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

namespace tavrello {

namespace {

// A page holds a table this long; a longer one lists only its emphasised rows.
constexpr std::size_t rowsOnAPage = 25;
constexpr int figureObjectType = QTextFormat::UserObject + 1;
// Stands where the figure goes until the figure itself replaces it.
constexpr char16_t figureMark = u'\uE000';

// The figure as an object of the laid-out text, so that it keeps its place on the page and is
// drawn as vectors. Its units are those of a screen at 96 dpi, so that its lines, dots and
// letters have the weight they have in the window.
class FigureObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    FigureObject(FigurePainter paint, QSizeF size, double screenPixel, QFont font)
        : paint_(std::move(paint)), size_(size), screenPixel_(screenPixel), font_(font) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat&) override { return size_; }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat&) override {
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(screenPixel_, screenPixel_);
        painter->setFont(font_);
        paint_(*painter, QRectF(0, 0, rect.width() / screenPixel_, rect.height() / screenPixel_));
        painter->restore();
    }

  private:
    FigurePainter paint_;
    QSizeF size_;
    double screenPixel_;
    QFont font_;
};

// The document's HTML for a page: tables cut to what a page holds, the figure as its mark.
QString pageHtml(const report::Document& document) {
    report::Document cut{document.title, {}};
    for (const report::Block& block : document.blocks) {
        if (const auto* table = std::get_if<report::Table>(&block)) {
            for (report::Block& part : report::abridged(*table, rowsOnAPage)) {
                cut.blocks.push_back(std::move(part));
            }
        } else if (std::holds_alternative<report::Figure>(block)) {
            cut.blocks.push_back(report::Paragraph{QString(QChar(figureMark)).toStdString()});
        } else {
            cut.blocks.push_back(block);
        }
    }
    return "<h2>" + fromUtf8(report::escapedHtml(document.title)) + "</h2>\n<p>日期：" +
           QDate::currentDate().toString("yyyy-MM-dd") + "</p>\n" +
           fromUtf8(report::html(cut, 0, cut.blocks.size()));
}

// The bytes written whole, or the error in words: a full disk fails only when the file is
// flushed, and a failed write must not pass for a saved report.
QString writeWhole(const QString& file, const QByteArray& bytes) {
    QFile output(file);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() ||
        !output.flush()) {
        return cannotWrite(file);
    }
    return {};
}

void placeFigure(QTextDocument& text) {
    QTextCursor mark = text.find(QString(QChar(figureMark)));
    if (mark.isNull()) {
        return;
    }
    QTextCharFormat figure;
    figure.setObjectType(figureObjectType);
    mark.insertText(QString(QChar::ObjectReplacementCharacter), figure);
}

} // namespace

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString cannotWrite(const QString& file) {
    return QString("无法写入文件“%1”。").arg(file);
}

void copyReport(const report::Document& document) {
    auto* data = new QMimeData;
    data->setText(fromUtf8(report::plainText(document)));
    data->setHtml(fromUtf8(report::html(document)));
    QGuiApplication::clipboard()->setMimeData(data);
}

QString writeReportPdf(const report::Document& document, const FigurePainter& figure,
                       const QString& file, const QFont& font) {
    // Asked first, so that an unwritable place is told in words rather than warned about.
    if (QFile probe(file); !probe.open(QIODevice::WriteOnly)) {
        return cannotWrite(file);
    }
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setTitle(fromUtf8(document.title));
    writer.setCreator("Tavrello");
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 15, 18, 15), QPageLayout::Millimeter);
    const QSizeF page = writer.pageLayout().paintRectPixels(writer.resolution()).size();

    QTextDocument text;
    text.documentLayout()->setPaintDevice(&writer);
    text.setDocumentMargin(0);
    text.setPageSize(page);
    // Ligatures would reach a PDF reader's text as one sign, "ﬀ" for "ff".
    QFont unshaped = font;
    unshaped.setStyleStrategy(QFont::PreferNoShaping);
    QFont figureFont = unshaped;
    figureFont.setPixelSize(11);
    FigureObject figureObject(figure, QSizeF(page.width(), page.height() * 0.28),
                              writer.resolution() / 96.0, figureFont);
    text.documentLayout()->registerHandler(figureObjectType, &figureObject);
    // Paragraphs closer than a word processor sets them, so that a series' report fits a page.
    text.setDefaultStyleSheet("p { margin-top: 0px; margin-bottom: 3px; }"
                              "h4 { margin-top: 6px; margin-bottom: 2px; }");
    text.setHtml(pageHtml(document));
    placeFigure(text);
    double points = 10;
    for (; points >= 6.5; points -= 0.5) {
        unshaped.setPointSizeF(points);
        text.setDefaultFont(unshaped);
        if (text.pageCount() == 1) {
            break;
        }
    }
    if (points < 6.5) {
        unshaped.setPointSizeF(8);
        text.setDefaultFont(unshaped);
    }

    QPainter painter;
    if (!painter.begin(&writer)) {
        return cannotWrite(file);
    }
    for (int sheet = 0; sheet < text.pageCount(); ++sheet) {
        if (sheet > 0) {
            writer.newPage();
        }
        painter.save();
        painter.translate(0, -sheet * page.height());
        text.drawContents(&painter, QRectF(QPointF(0, sheet * page.height()), page));
        painter.restore();
    }
    if (!painter.end()) {
        return cannotWrite(file);
    }
    return writeWhole(file, pdf.data());
}

QString writeFigurePng(const FigurePainter& figure, QSize size, const QString& file,
                       const QFont& font) {
    constexpr qreal scale = 2;
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        figure(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    // Encoded in memory: libpng reports a failed write on standard error by itself.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG")) {
        return cannotWrite(file);
    }
    return writeWhole(file, png.data());
}

} // namespace tavrello

#include "report_files.moc"
