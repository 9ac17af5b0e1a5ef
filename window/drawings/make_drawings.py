#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Turns the window's SVG drawings into path data that QPainter draws directly.

Text is outlined here, from the DejaVu Serif faces the build machine has, so the program needs
neither an SVG library nor the font at run time, and the drawings look the same everywhere.
Only what the drawings use is understood: rect, line, polyline, polygon, path (absolute M, L,
H, V, Z) and text with tspan, font-size, font-style and text-anchor. Anything else stops the
build rather than drawing something different.

Usage: make_drawings.py REGULAR_FACE ITALIC_FACE OUTPUT_CPP SVG...
"""
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTFont

SVG = "{http://www.w3.org/2000/svg}"
INHERITED = ("fill", "stroke", "stroke-width", "font-size", "font-style", "text-anchor")
DEFAULT_STYLE = {"fill": "#000000", "stroke": "none", "stroke-width": "1", "font-size": "16",
                 "font-style": "normal", "text-anchor": "start"}


def fail(message):
    sys.exit(f"make_drawings.py: {message}")


class OutlinePen(BasePen):
    """Records glyph outlines as path steps, placed and scaled into drawing coordinates."""

    def __init__(self, glyph_set, steps):
        super().__init__(glyph_set)
        self.steps = steps
        self.origin = (0.0, 0.0)
        self.scale = 1.0

    def _point(self, point):
        return (self.origin[0] + point[0] * self.scale, self.origin[1] - point[1] * self.scale)

    def _moveTo(self, point):
        self.steps.append(("Move", self._point(point)))

    def _lineTo(self, point):
        self.steps.append(("Line", self._point(point)))

    def _qCurveToOne(self, control, point):
        self.steps.append(("Quad", self._point(control), self._point(point)))

    def _curveToOne(self, first, second, point):
        fail("cubic outlines are not expected in a TrueType face")

    def _closePath(self):
        self.steps.append(("Close",))


class Face:
    def __init__(self, path):
        self.font = TTFont(path)
        self.glyphs = self.font.getGlyphSet()
        self.cmap = self.font.getBestCmap()
        self.units = self.font["head"].unitsPerEm
        self.metrics = self.font["hmtx"].metrics

    def glyph_name(self, character):
        name = self.cmap.get(ord(character))
        if name is None:
            fail(f"the face has no glyph for {character!r}")
        return name

    def advance(self, text, size):
        return sum(self.metrics[self.glyph_name(c)][0] for c in text) * size / self.units

    def outline(self, text, x, y, size, steps):
        pen = OutlinePen(self.glyphs, steps)
        pen.scale = size / self.units
        for character in text:
            name = self.glyph_name(character)
            pen.origin = (x, y)
            self.glyphs[name].draw(pen)
            x += self.metrics[name][0] * pen.scale
        return x


def number(text):
    return float(re.sub("px$", "", text))


def colour(text):
    if not re.fullmatch("#[0-9A-Fa-f]{6}", text):
        fail(f"colour {text!r} is not #RRGGBB")
    return "0xFF" + text[1:].upper()


def points_of(text):
    values = [float(v) for v in re.split(r"[\s,]+", text.strip())]
    return list(zip(values[0::2], values[1::2]))


def polyline_steps(points, closed):
    steps = [("Move", points[0])] + [("Line", p) for p in points[1:]]
    return steps + [("Close",)] if closed else steps


def path_steps(data):
    if re.search(r"[^MLHVZ0-9.,\s-]", data):
        fail(f"path data {data!r} uses more than absolute M, L, H, V and Z")
    steps, x, y = [], 0.0, 0.0
    for command, arguments in re.findall(r"([MLHVZ])([^MLHVZA-Za-z]*)", data):
        values = [float(v) for v in re.split(r"[\s,]+", arguments.strip()) if v]
        if command in "ML":
            x, y = values
        elif command == "H":
            x = values[0]
        elif command == "V":
            y = values[0]
        if command == "Z":
            steps.append(("Close",))
        else:
            steps.append(("Move" if command == "M" else "Line", (x, y)))
    return steps


class Drawing:
    def __init__(self, faces):
        self.faces = faces
        self.shapes = []

    def add(self, style, steps):
        if style["fill"] != "none":
            self.shapes.append((colour(style["fill"]), 0.0, steps))
        if style["stroke"] != "none":
            self.shapes.append((colour(style["stroke"]), number(style["stroke-width"]), steps))

    def face(self, style):
        return self.faces[style["font-style"]]

    def text(self, element, style):
        runs = [(element.text or "", style)]
        for span in element:
            if span.tag != SVG + "tspan":
                fail(f"text holds {span.tag}")
            runs.append((span.text or "", styled(span, style)))
            runs.append((span.tail or "", style))
        width = sum(self.face(s).advance(t, number(s["font-size"])) for t, s in runs)
        x = number(element.get("x"))
        if style["text-anchor"] == "middle":
            x -= width / 2
        elif style["text-anchor"] != "start":
            fail(f"text-anchor {style['text-anchor']} is not handled")
        steps = []
        for text, run_style in runs:
            x = self.face(run_style).outline(text, x, number(element.get("y")),
                                        number(run_style["font-size"]), steps)
        self.add({**style, "stroke": "none"}, steps)

    def element(self, element, style):
        tag = element.tag[len(SVG):]

        def attribute(name):
            return number(element.get(name))

        if tag in ("title", "desc"):
            return
        if tag == "g":
            for child in element:
                self.element(child, styled(child, style))
        elif tag == "rect":
            x, y = attribute("x"), attribute("y")
            right, bottom = x + attribute("width"), y + attribute("height")
            self.add(style, polyline_steps([(x, y), (right, y), (right, bottom), (x, bottom)],
                                           True))
        elif tag == "line":
            self.add({**style, "fill": "none"}, polyline_steps(
                [(attribute("x1"), attribute("y1")), (attribute("x2"), attribute("y2"))], False))
        elif tag in ("polyline", "polygon"):
            closed = tag == "polygon"
            fill = style if closed else {**style, "fill": "none"}
            self.add(fill, polyline_steps(points_of(element.get("points")), closed))
        elif tag == "path":
            self.add(style, path_steps(element.get("d")))
        elif tag == "text":
            self.text(element, style)
        else:
            fail(f"element {tag} is not handled")


def styled(element, inherited):
    style = dict(inherited)
    for name in INHERITED:
        if element.get(name) is not None:
            style[name] = element.get(name)
    if element.get("font-family") not in (None, "DejaVu Serif"):
        fail(f"font-family {element.get('font-family')} is not DejaVu Serif")
    return style


def variable_name(svg_path):
    words = os.path.splitext(os.path.basename(svg_path))[0].split("-")
    return words[0] + "".join(word.capitalize() for word in words[1:])


def step_code(step):
    coordinates = [f"{value:.3f}f" for point in step[1:] for value in point]
    coordinates += ["0"] * (4 - len(coordinates))
    return f"{{Step::{step[0]}, {', '.join(coordinates)}}}"


def drawing_code(svg_path, faces):
    root = ElementTree.parse(svg_path).getroot()
    if root.get("viewBox") != f"0 0 {root.get('width')} {root.get('height')}":
        fail(f"{svg_path}: the viewBox must match width and height")
    drawing = Drawing(faces)
    for child in root:
        drawing.element(child, styled(child, DEFAULT_STYLE))
    name = variable_name(svg_path)
    lines = []
    for index, (_, _, steps) in enumerate(drawing.shapes):
        lines.append(f"constexpr PathStep {name}Path{index}[] = {{")
        lines += [f"    {step_code(step)}," for step in steps]
        lines.append("};")
    lines.append(f"constexpr Shape {name}Shapes[] = {{")
    for index, (rgb, stroke, _) in enumerate(drawing.shapes):
        lines.append(f"    {{{rgb}, {stroke:.3f}f, {name}Path{index}}},")
    lines.append("};")
    return name, root.get("width"), root.get("height"), lines


def main(arguments):
    if len(arguments) < 4:
        sys.exit(__doc__)
    regular, italic, output, *svg_paths = arguments
    faces = {"normal": Face(regular), "italic": Face(italic)}
    body, definitions = [], []
    for svg_path in svg_paths:
        name, width, height, lines = drawing_code(svg_path, faces)
        body += lines
        definitions.append(f"const Drawing {name}{{{width}, {height}, {name}Shapes}};")
    header = ["// Made by make_drawings.py from the SVG drawings of window/pictures; not to be edited.",
              '#include "window/drawings/vector_drawing.h"', "", "namespace tavrello::drawings {", "",
              "namespace {", ""]
    footer = ["", "} // namespace", ""] + definitions + ["", "} // namespace tavrello::drawings", ""]
    text = "\n".join(header + body + footer)
    with open(output, "w", encoding="utf-8") as code:
        code.write(text)


if __name__ == "__main__":
    main(sys.argv[1:])
