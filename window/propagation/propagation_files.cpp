// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/propagation/propagation_files.h"

#include "propagation/propagation_report.h"
#include "window/reports/report_files.h"

#include <QSaveFile>

namespace tavrello {

namespace {

constexpr QSize histogramPictureSize(640, 400);

FigurePainter histogramPainter(const propagation::Propagation& propagation) {
    return [data = histogramOf(propagation)](QPainter& painter, const QRectF& area) {
        if (data) {
            paintHistogram(painter, area, *data);
        }
    };
}

} // namespace

std::optional<HistogramData> histogramOf(const propagation::Propagation& propagation) {
    if (!propagation.monteCarlo) {
        return std::nullopt;
    }
    return HistogramData{*propagation.monteCarlo, propagation.model.symbol, propagation.task.unit};
}

void copyPropagationReport(const propagation::Propagation& propagation) {
    copyReport(propagation::propagationReport(propagation));
}

QString writePropagationPdf(const propagation::Propagation& propagation, const QString& file,
                            const QFont& font) {
    return writeReportPdf(propagation::propagationReport(propagation),
                          histogramPainter(propagation), file, font);
}

QString writePropagationPng(const propagation::Propagation& propagation, const QString& file,
                            const QFont& font) {
    if (!propagation.monteCarlo) {
        return QString("没有蒙特卡洛法的结果，没有直方图可以写入“%1”。").arg(file);
    }
    return writeFigurePng(histogramPainter(propagation), histogramPictureSize, file, font);
}

QString writeTaskFile(const propagation::Task& task, const QString& file) {
    QSaveFile output(file);
    const std::string text = propagation::writeTask(task);
    const auto size = static_cast<qint64>(text.size());
    if (!output.open(QIODevice::WriteOnly) || output.write(text.data(), size) != size ||
        !output.commit()) {
        return cannotWrite(file);
    }
    return {};
}

} // namespace tavrello
