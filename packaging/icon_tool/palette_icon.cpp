// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "palette_icon.h"

#include <QDataStream>
#include <QIODevice>
#include <QList>

namespace tavrello::packaging {

namespace {

constexpr int paletteSize = 256;
constexpr int maximumSide = 256;
constexpr quint32 directorySize = 6;
constexpr quint32 directoryEntrySize = 16;
constexpr quint32 bitmapHeaderSize = 40;

// Rows of a bitmap are padded to whole 32-bit words.
int rowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

bool isDrawn(QRgb pixel) {
    return qAlpha(pixel) >= 128;
}

// A transparent pixel is drawn as black under a set mask bit, which leaves the screen as it is.
QRgb storedColour(QRgb pixel) {
    return isDrawn(pixel) ? qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) : qRgb(0, 0, 0);
}

std::optional<QList<QRgb>> paletteOf(const QImage& image) {
    QList<QRgb> palette;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = storedColour(image.pixel(x, y));
            if (palette.contains(colour))
                continue;
            if (palette.size() == paletteSize)
                return std::nullopt;
            palette.append(colour);
        }
    }
    palette.resize(paletteSize, qRgb(0, 0, 0));
    return palette;
}

QByteArray colourRows(const QImage& image, const QList<QRgb>& palette) {
    const int stride = rowBytes(image.width(), 8);
    QByteArray rows(stride * image.height(), '\0');
    for (int y = 0; y < image.height(); ++y) {
        char* row = rows.data() + (image.height() - 1 - y) * stride;
        for (int x = 0; x < image.width(); ++x)
            row[x] = static_cast<char>(palette.indexOf(storedColour(image.pixel(x, y))));
    }
    return rows;
}

QByteArray maskRows(const QImage& image) {
    const int stride = rowBytes(image.width(), 1);
    QByteArray rows(stride * image.height(), '\0');
    for (int y = 0; y < image.height(); ++y) {
        char* row = rows.data() + (image.height() - 1 - y) * stride;
        for (int x = 0; x < image.width(); ++x) {
            if (!isDrawn(image.pixel(x, y)))
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
    }
    return rows;
}

// A side of 256 is written as 0 in the one-byte fields of the directory.
quint8 directorySide(int side) {
    return static_cast<quint8>(side % maximumSide);
}

} // namespace

std::optional<QByteArray> paletteIconFile(const QImage& source) {
    if (source.isNull() || source.width() > maximumSide || source.height() > maximumSide)
        return std::nullopt;
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const std::optional<QList<QRgb>> palette = paletteOf(image);
    if (!palette)
        return std::nullopt;
    const QByteArray colours = colourRows(image, *palette);
    const QByteArray mask = maskRows(image);
    const quint32 bitmapSize =
        bitmapHeaderSize + paletteSize * 4 + static_cast<quint32>(colours.size() + mask.size());

    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // Directory: reserved, type 1 (icon), one entry.
    out << quint16(0) << quint16(1) << quint16(1);
    // Entry: width, height, colour count (0 means 256), reserved, planes, bits per pixel, size,
    // offset.
    out << directorySide(image.width()) << directorySide(image.height()) << quint8(0) << quint8(0)
        << quint16(1) << quint16(8) << bitmapSize << (directorySize + directoryEntrySize);
    // Bitmap header; the height counts the colour rows and the mask rows together. Zero colours
    // used means all 256 palette entries.
    out << bitmapHeaderSize << qint32(image.width()) << qint32(2 * image.height()) << quint16(1)
        << quint16(8) << quint32(0) << static_cast<quint32>(colours.size() + mask.size())
        << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (const QRgb colour : *palette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);
    out.writeRawData(colours.constData(), static_cast<int>(colours.size()));
    out.writeRawData(mask.constData(), static_cast<int>(mask.size()));
    return file;
}

} // namespace tavrello::packaging
