#include "window_driver.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace tavrello;

namespace {

const QStringList pictures = {"Image1", "Image2", "Image3", "Image4"};
const QStringList sources = {"bessel.svg", "peters.svg", "range.svg", "maximum-error.svg"};
constexpr char renderOption[] = "--render-pictures-to";

// In a process of its own, so that it can have its own fonts and scale.
int renderPictures(const QString& folder) {
    WindowDriver window;
    for (const QString& id : pictures) {
        const QImage image = control<QWidget>(window.form(), id).grab().toImage();
        if (!image.save(QDir(folder).filePath(id + ".png"))) {
            return 1;
        }
    }
    return 0;
}

QList<QImage> picturesRenderedWith(const QStringList& environment) {
    QTemporaryDir folder;
    QProcess child;
    child.setEnvironment(QProcess::systemEnvironment() + environment);
    child.start(QCoreApplication::applicationFilePath(), {renderOption, folder.path()});
    if (!child.waitForFinished(30000) || child.exitCode() != 0) {
        qFatal("the pictures could not be rendered: %s", child.readAllStandardError().data());
    }
    QList<QImage> images;
    for (const QString& id : pictures) {
        images.append(QImage(QDir(folder.path()).filePath(id + ".png"))
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
    void sameWithNoFontInstalled_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("100 %") << 1;
        QTest::newRow("200 %") << 2;
    }

    void sameWithNoFontInstalled() {
        QFETCH(int, scale);
        const QString scaling = QString("QT_SCALE_FACTOR=%1").arg(scale);
        QTemporaryDir folder;
        const QString noFonts = QDir(folder.path()).filePath("fonts.conf");
        QFile configuration(noFonts);
        QVERIFY(configuration.open(QIODevice::WriteOnly));
        configuration.write("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
        configuration.close();

        const QList<QImage> withFonts = picturesRenderedWith({scaling});
        const QList<QImage> withoutFonts =
            picturesRenderedWith({scaling, "FONTCONFIG_FILE=" + noFonts});
        for (qsizetype index = 0; index < pictures.size(); ++index) {
            const QImage source = sourceRendered(sources[index], scale);
            QCOMPARE(withFonts[index].size(), source.size());
            QCOMPARE(withoutFonts[index], withFonts[index]);
            QVERIFY2(differingShare(withFonts[index], source) < 0.002, qPrintable(pictures[index]));
        }
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc == 3 && QString(argv[1]) == renderOption) {
        return renderPictures(argv[2]);
    }
    FormulaPictureTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "formula_picture_test.moc"
