// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/clock/status_clock.h"
#include "window/fonts/interface_font.h"
#include "window/platform_translation.h"
#include "window/tests/window_driver.h"

#include <QComboBox>
#include <QFontInfo>
#include <QPainter>
#include <QRawFont>
#include <QTest>

using namespace tavrello;

namespace {

// Every text the program can put on the screen: captions, entries, tooltips, menus, what a
// series too long to paste says, Qt's own texts, each weekday of the clock line and each
// error report.
QString shownTexts() {
    const PlatformTranslation translation;
    if (!translation.loaded()) {
        qFatal("Qt's Chinese texts were not found");
    }
    WindowDriver driver;
    QString texts = driver.form().windowTitle() + platformTexts(driver.form()).join("");
    for (const QWidget* widget : driver.form().findChildren<QWidget*>()) {
        for (const char* property : {"text", "title", "toolTip", "currentText"}) {
            texts += widget->property(property).toString();
        }
        if (const auto* dropDown = qobject_cast<const QComboBox*>(widget)) {
            for (int entry = 0; entry < dropDown->count(); ++entry) {
                texts += dropDown->itemText(entry);
            }
        }
    }
    texts += chooseFromMenu(driver.box(1)) + chooseFromMenu(driver.label("Label12"));
    for (const int method : {1, 3}) {
        driver.chooseMethod(method);
        driver.paste(1, QString("1\n").repeated(inputBoxCount + 1));
    }
    FixedClock clock;
    for (int day = 0; day < 7; ++day, clock.instant += std::chrono::days(1)) {
        texts += clockLine(clock);
    }
    for (const ErrorNumber number : {ErrorNumber::Overflow, ErrorNumber::SubscriptOutOfRange,
                                     ErrorNumber::DivisionByZero, ErrorNumber::TypeMismatch}) {
        texts += errorReportText(RunTimeError(number));
    }
    return texts + driver.notices().join("");
}

QImage drawn(const QString& family, int pixelSize, char32_t character) {
    QFont font;
    font.setFamilies({family});
    font.setPixelSize(pixelSize);
    QImage image(2 * pixelSize, 2 * pixelSize, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(pixelSize / 2, 3 * pixelSize / 2, QString::fromUcs4(&character, 1));
    return image;
}

const QString fullFamily = QStringLiteral("AR PL SungtiL GB");

} // namespace

// The window's face is cut at build time from a face of thousands of characters.
class InterfaceFontTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        for (const char32_t character : shownTexts().toUcs4()) {
            if (!QChar::isSpace(character) && !characters_.contains(character)) {
                characters_.append(character);
            }
        }
        QVERIFY(characters_.size() > 100);
        QCOMPARE(QFontInfo(QApplication::font()).family(), QString(interfaceFamily));
    }

    // A character left out would be drawn from another face, or not at all.
    void holdsEveryCharacterTheProgramShows() {
        const QRawFont face(QString(TAVRELLO_INTERFACE_FONT_FILE), 12);
        QVERIFY(face.isValid());
        QString missing;
        for (const char32_t character : characters_) {
            if (!face.supportsCharacter(character)) {
                missing += QString::fromUcs4(&character, 1);
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable("not in the interface face: " + missing));
    }

    // The cut keeps outlines and hinting, but the hinter also measures reference characters
    // of the whole face; without them some glyphs land a pixel off.
    void drawsLikeTheFullFace() {
        QFont full;
        full.setFamilies({fullFamily});
        QCOMPARE(QFontInfo(full).family(), fullFamily);
        QString different;
        for (const int pixelSize : {12, 18, 24}) {
            for (const char32_t character : characters_) {
                if (drawn(interfaceFamily, pixelSize, character) !=
                    drawn(fullFamily, pixelSize, character)) {
                    different += QString::fromUcs4(&character, 1);
                }
            }
        }
        QVERIFY2(different.isEmpty(), qPrintable("drawn differently: " + different));
    }

  private:
    QList<char32_t> characters_;
};

QTEST_MAIN(InterfaceFontTest)
#include "interface_font_test.moc"
