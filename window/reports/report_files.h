// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "report/document.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <functional>
#include <string>

namespace tavrello {

// A report's figure, drawn as vectors into the rectangle, in units of a screen pixel at 96 dpi.
using FigurePainter = std::function<void(QPainter& painter, const QRectF& area)>;

QString fromUtf8(const std::string& text);

// The document on the clipboard, as plain text and as HTML.
void copyReport(const report::Document& document);

// The document on A4 pages: its title and the date, then its blocks with the figure where the
// document places it. At the largest size from 10 points down to 6.5 at which it fits one page,
// else at 8 points over as many pages as it takes. A table longer than a page lists its
// emphasised rows only. The error is in words, empty when the file was written.
QString writeReportPdf(const report::Document& document, const FigurePainter& figure,
                       const QString& file, const QFont& font);

// The figure as a PNG picture of the given size at twice its resolution.
QString writeFigurePng(const FigurePainter& figure, QSize size, const QString& file,
                       const QFont& font);

// "无法写入文件“…”。"
QString cannotWrite(const QString& file);

} // namespace tavrello
