// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/tests/window_driver.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrello;

namespace {

// Each picture and the drawing it is made from.
const std::pair<QString, QString> pictures[] = {{"Image1", "bessel.svg"},
                                                {"Image2", "peters.svg"},
                                                {"Image3", "range.svg"},
                                                {"Image4", "maximum-error.svg"}};
constexpr char renderOption[] = "--render-pictures-to";

// In a process of its own, so that it can have its own fonts and scale.
QList<QImage> picturesRenderedWith(const QStringList& environment) {
    QTemporaryDir folder;
    QProcess child;
    child.setEnvironment(QProcess::systemEnvironment() + environment);
    child.start(QCoreApplication::applicationFilePath(), {renderOption, folder.path()});
    if (!child.waitForFinished(30000) || child.exitCode() != 0) {
        qFatal("the pictures could not be rendered: %s", child.readAllStandardError().data());
    }
    QList<QImage> images;
    for (const auto& [id, source] : pictures) {
        images.append(QImage(folder.filePath(id + ".png"))
                          .convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    return images;
}

QImage sourceRendered(const QString& source, int scale) {
    QSvgRenderer renderer(QDir(TAVRELLO_PICTURE_SOURCES).filePath(source));
    QImage image(renderer.defaultSize() * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

// Share of pixels where a channel differs by more than a quarter of its range. Outlines drawn
// here and text drawn by the SVG library differ in a few edge pixels; one missing or misplaced
// glyph, even the small italic s, changes about 0.3 % of a picture.
double differingShare(const QImage& one, const QImage& other) {
    int differing = 0;
    for (int y = 0; y < one.height(); ++y) {
        for (int x = 0; x < one.width(); ++x) {
            const QColor a = one.pixelColor(x, y);
            const QColor b = other.pixelColor(x, y);
            differing += std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                   std::abs(a.blue() - b.blue())}) > 64;
        }
    }
    return double(differing) / (one.width() * one.height());
}

} // namespace

// The formula pictures carry their glyphs with them and need no SVG library at run time.
class FormulaPictureTest : public QObject {
    Q_OBJECT

  private slots:
    void sameWithNoFontInstalled() {
        QTemporaryDir folder;
        QFile noFonts(folder.filePath("fonts.conf"));
        QVERIFY(noFonts.open(QIODevice::WriteOnly));
        noFonts.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
        noFonts.close();
        for (const int scale : {1, 2}) {
            const QString scaling = QString("QT_SCALE_FACTOR=%1").arg(scale);
            const QList<QImage> withFonts = picturesRenderedWith({scaling});
            const QList<QImage> withoutFonts =
                picturesRenderedWith({scaling, "FONTCONFIG_FILE=" + noFonts.fileName()});
            for (int index = 0; index < 4; ++index) {
                const QImage source = sourceRendered(pictures[index].second, scale);
                QCOMPARE(withFonts[index].size(), source.size());
                QCOMPARE(withoutFonts[index], withFonts[index]);
                QVERIFY2(differingShare(withFonts[index], source) < 0.002,
                         qPrintable(pictures[index].first));
            }
        }
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc == 3 && QString(argv[1]) == renderOption) {
        WindowDriver window;
        bool saved = true;
        for (const auto& [id, source] : pictures) {
            const QPixmap picture = control<QWidget>(window.form(), id).grab();
            saved = saved && picture.save(QDir(argv[2]).filePath(id + ".png"));
        }
        return saved ? 0 : 1;
    }
    FormulaPictureTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "formula_picture_test.moc"
