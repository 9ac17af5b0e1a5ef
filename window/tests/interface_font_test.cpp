#include "interface_font.h"
#include "platform_translation.h"
#include "status_clock.h"
#include "window_driver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QRawFont>
#include <QTest>
#include <memory>

using namespace tavrello;

namespace {

// Qt's own texts the window shows in Chinese: the context menu of the input boxes and the
// selector's field, and the error report's button.
QString platformTexts(const QWidget& form) {
    const PlatformTranslation translation;
    if (!translation.loaded()) {
        qFatal("Qt's Chinese texts were not found");
    }
    QString texts;
    for (QLineEdit* edit : form.findChildren<QLineEdit*>()) {
        const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        for (const QAction* action : menu->actions()) {
            texts += action->text();
        }
    }
    const QMessageBox box(QMessageBox::Critical, "Tavrello", "", QMessageBox::Ok);
    return texts + box.button(QMessageBox::Ok)->text();
}

// Every text the program can put on the screen: captions, entries, tooltips, Qt's own texts,
// each weekday of the clock line and each error report.
QString shownTexts() {
    WindowDriver driver;
    QString texts = driver.form().windowTitle() + platformTexts(driver.form());
    for (const QWidget* widget : driver.form().findChildren<QWidget*>()) {
        texts += widget->toolTip();
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            texts += label->text();
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            texts += button->text();
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
            texts += frame->title();
        } else if (const auto* dropDown = qobject_cast<const QComboBox*>(widget)) {
            texts += dropDown->currentText();
            for (int entry = 0; entry < dropDown->count(); ++entry) {
                texts += dropDown->itemText(entry);
            }
        }
    }
    FixedClock clock;
    for (int day = 0; day < 7; ++day) {
        clock.date = QDate(2007, 3, 25).addDays(day);
        ClockLineBuffer buffer{};
        const std::string_view line = writeClockLine(clock, buffer);
        texts += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    }
    for (const ErrorNumber number : {ErrorNumber::Overflow, ErrorNumber::SubscriptOutOfRange,
                                     ErrorNumber::DivisionByZero, ErrorNumber::TypeMismatch}) {
        texts += errorReportText(RunTimeError(number));
    }
    return texts;
}

QList<char32_t> distinctCharacters(const QString& text) {
    QList<char32_t> characters;
    for (const char32_t character : text.toUcs4()) {
        if (!QChar::isSpace(character) && !characters.contains(character)) {
            characters.append(character);
        }
    }
    return characters;
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
        characters_ = distinctCharacters(shownTexts());
        QVERIFY(characters_.size() > 100);
        QVERIFY2(QFontDatabase::families().contains(interfaceFamily),
                 "the interface face was not read");
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

    void drawsLikeTheFullFace_data() {
        QTest::addColumn<int>("pixelSize");
        QTest::newRow("100 %") << 12;
        QTest::newRow("150 %") << 18;
        QTest::newRow("200 %") << 24;
    }

    // The cut keeps outlines and hinting, but the hinter also measures reference characters
    // of the whole face; without them some glyphs land a pixel off.
    void drawsLikeTheFullFace() {
        QFETCH(int, pixelSize);
        QFont full;
        full.setFamilies({fullFamily});
        QCOMPARE(QFontInfo(full).family(), fullFamily);
        QString different;
        for (const char32_t character : characters_) {
            if (drawn(interfaceFamily, pixelSize, character) !=
                drawn(fullFamily, pixelSize, character)) {
                different += QString::fromUcs4(&character, 1);
            }
        }
        QVERIFY2(different.isEmpty(), qPrintable("drawn differently: " + different));
    }

  private:
    QList<char32_t> characters_;
};

QTEST_MAIN(InterfaceFontTest)
#include "interface_font_test.moc"
