// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/result_window/placement.h"

#include <QTest>

using namespace tavrello;

namespace {

// The main window as the layout makes it (529 × 420 and a title bar of 22), its frame's left
// edge at `left`: the formula column 156 pixels wide, then the input column, 185.
MainWindowPlace mainAt(int left, int top) {
    return {QRect(left, top, 531, 443), QRect(left + 157, top + 26, 185, 401),
            QRect(left + 5, top + 26, 152, 401)};
}

const QSize wanted(962, 724);
const QSize least(520, 640);

} // namespace

Q_DECLARE_METATYPE(tavrello::MainWindowPlace)

class PlacementTest : public QObject {
    Q_OBJECT

  private slots:
    void placesBesideTheInputColumn_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<MainWindowPlace>("main");
        QTest::addColumn<QRect>("placed");
        // Wide screens: the wanted size at the right, else at the left.
        QTest::newRow("2560x1440, centred")
            << QRect(0, 0, 2560, 1440) << mainAt(1014, 498) << QRect(1553, 498, 962, 724);
        QTest::newRow("1920x1080, main at the right edge")
            << QRect(0, 0, 1920, 1080) << mainAt(1389, 300) << QRect(419, 300, 962, 724);
        // Neither side has the wanted width: the roomier one's.
        QTest::newRow("1920x1080, centred, taller than the room under it")
            << QRect(0, 0, 1920, 1080) << mainAt(694, 500) << QRect(1233, 356, 687, 724);
        QTest::newRow("1920x1080, main left of centre")
            << QRect(0, 0, 1920, 1080) << mainAt(600, 300) << QRect(1139, 300, 781, 724);
        // No side has the least width: over the formula column, up to the input column.
        QTest::newRow("1366x768, centred")
            << QRect(0, 0, 1366, 768) << mainAt(417, 162) << QRect(0, 44, 574, 724);
        QTest::newRow("1280x720 under a panel")
            << QRect(0, 32, 1280, 688) << mainAt(374, 154) << QRect(0, 32, 531, 688);
        // A second screen right of the first, with the main window at its left edge.
        QTest::newRow("second screen, main at its left edge")
            << QRect(1920, 0, 1366, 768) << mainAt(1920, 100) << QRect(2459, 44, 827, 724);
        // No room anywhere: at the screen's left edge, at the least width.
        QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << mainAt(246, 162)
                                  << QRect(0, 44, 520, 724);
    }
    void placesBesideTheInputColumn() {
        QFETCH(QRect, screen);
        QFETCH(MainWindowPlace, main);
        QFETCH(QRect, placed);
        QCOMPARE(placeBeside(screen, main, wanted, least), placed);
        QVERIFY(screen.contains(placed));
    }
};

QTEST_MAIN(PlacementTest)
#include "placement_test.moc"
