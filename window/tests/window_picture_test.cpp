#include "window_driver.h"

#include <QDir>
#include <QImage>
#include <QTest>

using namespace tavrello;

// Leaves a picture of the window after a typical use in the build folder, for people to look at.
class WindowPictureTest : public QObject {
    Q_OBJECT

  private slots:
    void pictureAfterATypicalUse() {
        WindowDriver window;
        window.pickCount("5");
        window.chooseMethod(2);
        const QStringList values = {"10.1", "10.3", "10.2", "10.4", "10.0"};
        for (int box = 1; box <= values.size(); ++box) {
            window.type(box, values[box - 1]);
        }
        window.click("Command1");
        window.click("Command2");
        window.click("Command3");

        const QImage picture = window.form().grab().toImage();
        const QString path = QDir(TAVRELLO_PICTURE_DIR).filePath("tavrello-window.png");
        QVERIFY(picture.save(path));
        const qreal scale = picture.devicePixelRatio();
        QCOMPARE(picture.size(), QSize(529, 420) * scale);
        // The Peters formula picture is drawn on its own ground, the results on white.
        const auto pixel = [&](int x, int y) { return picture.pixelColor(QPoint(x, y) * scale); };
        QCOMPARE(pixel(14, 134), QColor(234, 231, 214));
        QCOMPARE(pixel(480, 72), QColor(Qt::white));
    }
};

QTEST_MAIN(WindowPictureTest)
#include "window_picture_test.moc"
