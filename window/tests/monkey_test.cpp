// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/tests/window_driver.h"

#include <QTest>
#include <cmath>
#include <random>

using namespace tavrello;

// Drives the real window with random picks, typing and clicks, keeping its own account of the
// boxes in use, their texts and the row captions, worked out from the user's actions alone.
class MonkeyTest : public QObject {
    Q_OBJECT

  private slots:
    void randomActionsKeepTheWindowSound() {
        // TAVRELLO_MONKEY_SEED, added to the default seed, gives another run.
        const std::uint32_t seed = qEnvironmentVariableIntValue("TAVRELLO_MONKEY_SEED") + 20070325;
        std::mt19937 random(seed);
        const auto between = [&random](int low, int high) {
            return std::uniform_int_distribution(low, high)(random);
        };
        WindowDriver window;
        int method = 1;
        int picked = 0;
        int inUse = 2;
        std::array<QString, inputBoxCount> texts{};
        const QStringList pieces = {"1", "2.5", "-3", "1e38", "&HFF", ".", "e", "abc", " "};
        for (int step = 1; step <= 3000; ++step) {
            const int action = between(1, 12);
            if (action == 1) {
                window.pickCount(QString::number(picked = between(2, inputBoxCount)));
                inUse = method == 3 ? 2 : picked;
            } else if (action == 2) {
                window.chooseMethod(method = between(1, 4));
            } else if (action <= 6) {
                const int box = between(1, inUse);
                texts[box - 1] = pieces[between(0, 8)] + pieces[between(0, 8)];
                window.box(box).clear();
                window.type(box, texts[box - 1]);
            } else if (action == 7) {
                window.click(numbered("Check", between(1, slotCount)));
            } else {
                window.click(numbered("Command", action - 7));
                if (action == 11) {
                    texts.fill("");
                }
            }
            const CalculationState& state = window.form().state();
            QCOMPARE(QList<int>({state.n, window.shownCount()}), QList<int>({picked, inUse}));
            QCOMPARE(window.label(rowCaptionId(2)).text(), method == 3 ? "Xmin" : "02→");
            QCOMPARE(window.boxTexts(), QStringList(texts.begin(), texts.end()));
            QVERIFY2(std::isfinite(state.u) && std::isfinite(state.j) && !(state.u < 0),
                     qPrintable(QString("step %1 of seed %2").arg(step).arg(seed)));
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
