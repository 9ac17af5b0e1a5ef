// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPainter>
#include <QRgb>
#include <QSize>
#include <span>

namespace tavrello {

// The window's drawings as paths in drawing units, text already outlined, so QPainter draws
// them crisply at any scale without an SVG library or the drawing's font.
enum class Step { Move, Line, Quad, Close };

// Move and Line go to (x1, y1); Quad curves through the control point (x1, y1) to (x2, y2).
struct PathStep {
    Step step;
    float x1;
    float y1;
    float x2;
    float y2;
};

struct Shape {
    QRgb colour;
    float strokeWidth; // 0: the path is filled
    std::span<const PathStep> path;
};

struct Drawing {
    int width;
    int height;
    std::span<const Shape> shapes;

    QSize size() const { return {width, height}; }
};

// Draws the drawing with its top-left corner at the painter's origin, one unit per pixel.
void paintDrawing(QPainter& painter, const Drawing& drawing);

// The pocket calculator of the icon, drawn at the sizes desktops ask for.
QIcon calculatorIcon();

// Made at build time from window/pictures.
namespace drawings {
extern const Drawing bessel;
extern const Drawing peters;
extern const Drawing range;
extern const Drawing maximumError;
extern const Drawing icon;
} // namespace drawings

} // namespace tavrello
