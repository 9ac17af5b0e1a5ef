// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The Windows icon is committed because the resource compiler needs it before anything is
// built: it must stay one 16 pixel, 256-colour image of the current drawing, as the
// update_windows_icon target writes it.
#include "palette_icon.h"
#include "svg_raster.h"

#include <QFile>
#include <QTest>

class IconFileTest : public QObject {
    Q_OBJECT

  private slots:
    void committedIconIsTheCurrentDrawingIn256Colours() {
        QFile file(TAVRELLO_WINDOWS_ICON);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray icon = file.readAll();
        // One entry of 16 x 16, 0 colours meaning 256, one plane, 8 bits a pixel; then the
        // bitmap header, 256 palette entries, 16 rows of indices and 16 mask rows.
        QCOMPARE(icon.first(14), QByteArray("\0\0\1\0\1\0\x10\x10\0\0\1\0\x08\0", 14));
        QCOMPARE(icon.size(), 22 + 40 + 256 * 4 + 16 * 16 + 16 * 4);
        const QImage drawn = tavrello::packaging::renderSvg(TAVRELLO_ICON_SVG, 16);
        QCOMPARE(tavrello::packaging::paletteIconFile(drawn).value(), icon);
    }
};

QTEST_MAIN(IconFileTest)
#include "icon_file_test.moc"
