// The Windows icon is committed because the resource compiler needs it before anything is
// built; these tests keep it a single 16 pixel, 256-colour image of the current drawing, and
// check the writer that makes it against Qt's own icon reader.
#include "palette_icon.h"
#include "svg_raster.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>

using tavrello::packaging::paletteIconFile;
using tavrello::packaging::renderSvg;

namespace {

quint32 littleEndian(const QByteArray& bytes, int offset, int width) {
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = value << 8 | static_cast<quint8>(bytes.at(offset + i));
    return value;
}

QImage decodeIcon(const QByteArray& file) {
    QBuffer buffer;
    buffer.setData(file);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull())
        qWarning() << "icon reader:" << reader.errorString();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The largest difference of one colour channel between two opaque pixels.
int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// Where the icon format keeps a pixel: opaque in its own colour or fully transparent.
QRgb expectedStoredPixel(QRgb pixel) {
    return qAlpha(pixel) >= 128 ? (pixel | 0xff000000u) : qRgba(0, 0, 0, 0);
}

void comparePixels(const QImage& decoded, const QImage& drawn, int tolerance) {
    QCOMPARE(decoded.size(), drawn.size());
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb expected = expectedStoredPixel(drawn.pixel(x, y));
            const QRgb actual = decoded.pixel(x, y);
            const QByteArray where = QStringLiteral("pixel (%1, %2): %3 instead of %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(actual, 8, 16)
                                         .arg(expected, 8, 16)
                                         .toLatin1();
            QVERIFY2(qAlpha(actual) == qAlpha(expected), where.constData());
            if (qAlpha(expected) != 0)
                QVERIFY2(channelDistance(actual, expected) <= tolerance, where.constData());
        }
    }
}

QImage filled(QSize size, const std::function<QRgb(int x, int y)>& colourAt) {
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, colourAt(x, y));
    }
    return image;
}

} // namespace

class IconFileTest : public QObject {
    Q_OBJECT

  private slots:
    void committedIconHasOneSixteenPixelPaletteImage_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::addColumn<quint32>("expected");
        // Directory, then its one entry.
        QTest::newRow("reserved") << 0 << 2 << 0u;
        QTest::newRow("type icon") << 2 << 2 << 1u;
        QTest::newRow("one image") << 4 << 2 << 1u;
        QTest::newRow("entry width") << 6 << 1 << 16u;
        QTest::newRow("entry height") << 7 << 1 << 16u;
        QTest::newRow("entry colours: 0 for 256") << 8 << 1 << 0u;
        QTest::newRow("entry planes") << 10 << 2 << 1u;
        QTest::newRow("entry bits per pixel") << 12 << 2 << 8u;
        QTest::newRow("image offset") << 18 << 4 << 22u;
        // Bitmap header of the image: height covers colour and mask rows, no compression,
        // all 256 palette entries.
        QTest::newRow("bitmap header size") << 22 << 4 << 40u;
        QTest::newRow("bitmap width") << 26 << 4 << 16u;
        QTest::newRow("bitmap height") << 30 << 4 << 32u;
        QTest::newRow("bitmap planes") << 34 << 2 << 1u;
        QTest::newRow("bitmap bits per pixel") << 36 << 2 << 8u;
        QTest::newRow("bitmap uncompressed") << 38 << 4 << 0u;
        QTest::newRow("bitmap palette of 256") << 54 << 4 << 0u;
    }

    void committedIconHasOneSixteenPixelPaletteImage() {
        QFETCH(int, offset);
        QFETCH(int, width);
        QFETCH(quint32, expected);
        const QByteArray file = committedIcon();
        // Header, 256 palette entries, 16 rows of 16 indices, 16 mask rows of 4 bytes.
        QCOMPARE(file.size(), 22 + 40 + 256 * 4 + 16 * 16 + 16 * 4);
        QCOMPARE(littleEndian(file, 14, 4), quint32(file.size() - 22));
        QCOMPARE(littleEndian(file, offset, width), expected);
    }

    void committedIconShowsTheCurrentDrawing() {
        const QImage drawn = renderSvg(QStringLiteral(TAVRELLO_ICON_SVG), 16);
        QVERIFY(!drawn.isNull());
        // A little room for a later rasteriser's anti-aliasing, none for another picture.
        comparePixels(decodeIcon(committedIcon()), drawn, 8);
    }

    void writtenIconsReadBackPixelForPixel_data() {
        QTest::addColumn<QImage>("image");
        QTest::newRow("two colours") << filled({16, 16}, [](int x, int y) {
            return (x + y) % 2 ? qRgb(255, 138, 28) : qRgb(31, 86, 168);
        });
        QTest::newRow("transparent corners, half-covered edge")
            << filled({16, 16}, [](int x, int y) {
                   if ((x == 0 || x == 15) && (y == 0 || y == 15))
                       return qRgba(0, 0, 0, 0);
                   return x == 1 ? qRgba(200, 10, 10, 127) : qRgba(10, 200, 10, 128);
               });
        QTest::newRow("exactly 256 colours")
            << filled({16, 16}, [](int x, int y) { return qRgb(x * 16, y * 16, 255 - x - y); });
        QTest::newRow("rows that need padding") << filled({5, 3}, [](int x, int y) {
            return x == y ? qRgba(0, 0, 0, 0) : qRgb(40 * x, 80 * y, 7);
        });
        QTest::newRow("largest side") << filled(
            {256, 256}, [](int x, int y) { return qRgb((x / 16) * 16, (y / 16) * 16, 99); });
    }

    void writtenIconsReadBackPixelForPixel() {
        QFETCH(QImage, image);
        const std::optional<QByteArray> file = paletteIconFile(image);
        QVERIFY(file.has_value());
        comparePixels(decodeIcon(*file), image, 0);
    }

    void iconsTheFormatCannotHoldAreRefused_data() {
        QTest::addColumn<QImage>("image");
        QTest::newRow("257 colours") << filled({17, 16}, [](int x, int y) {
            const int colour = std::min(y * 17 + x, 256);
            return qRgb(colour % 256, colour / 256, 0);
        });
        QTest::newRow("wider than 256") << filled({257, 1}, [](int, int) { return qRgb(0, 0, 0); });
        QTest::newRow("no image") << QImage();
    }

    void iconsTheFormatCannotHoldAreRefused() {
        QFETCH(QImage, image);
        QVERIFY(!paletteIconFile(image).has_value());
    }

  private:
    static QByteArray committedIcon() {
        QFile file(QStringLiteral(TAVRELLO_WINDOWS_ICON));
        if (!file.open(QIODevice::ReadOnly))
            qWarning() << "cannot read" << file.fileName();
        return file.readAll();
    }
};

QTEST_MAIN(IconFileTest)
#include "icon_file_test.moc"
