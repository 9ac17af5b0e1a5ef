// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the program's SVG icon to the fixed-size files that desktops and Windows need:
//   tavrello-icon png|ico SVG SIDE OUTPUT
#include "palette_icon.h"
#include "svg_raster.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <optional>

namespace {

using tavrello::packaging::paletteIconFile;
using tavrello::packaging::renderSvg;

int fail(const QString& message) {
    QTextStream(stderr) << "tavrello-icon: " << message << '\n';
    return 1;
}

std::optional<QByteArray> encode(const QString& format, const QImage& image) {
    if (format == QLatin1String("ico"))
        return paletteIconFile(image);
    QByteArray png;
    QBuffer buffer(&png);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    return png;
}

} // namespace

int main(int argc, char* argv[]) {
    // Text in an SVG needs the font database, which needs a platform; a build machine has no
    // display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const QStringList formats{QStringLiteral("png"), QStringLiteral("ico")};
    bool sideIsNumber = false;
    const int side = arguments.size() == 5 ? arguments[3].toInt(&sideIsNumber) : 0;
    if (arguments.size() != 5 || !formats.contains(arguments[1]) || !sideIsNumber || side < 1)
        return fail(QStringLiteral("usage: tavrello-icon png|ico SVG SIDE OUTPUT"));

    const QImage image = renderSvg(arguments[2], side);
    if (image.isNull())
        return fail(QStringLiteral("cannot read %1 as SVG").arg(arguments[2]));
    const std::optional<QByteArray> encoded = encode(arguments[1], image);
    if (!encoded)
        return fail(
            QStringLiteral("cannot encode the %1 pixel drawing as %2").arg(side).arg(arguments[1]));
    QFile output(arguments[4]);
    if (!output.open(QIODevice::WriteOnly) || output.write(*encoded) != encoded->size())
        return fail(QStringLiteral("cannot write %1: %2").arg(arguments[4], output.errorString()));
    return 0;
}
