#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Tavrello developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Cuts the window's own Sung face out of AR PL SungtiL GB.

The full face is a 5 MB file; the window shows about two hundred characters of it. Reading the
whole file at every start costs several megabytes of memory and milliseconds, so the build keeps
only the characters that appear in the program's sources, in the Chinese texts of Qt's own that
the window can show, plus printable ASCII for what the user types, and renames the family so that it cannot be mistaken for the full face. Glyph outlines,
metrics and hinting programs are kept as they are, so the cut face draws every kept character
exactly as the full one does.

Usage: make_interface_font.py SOURCE_FONT FONT_OUT LICENSE_OUT QT_TRANSLATION TEXT_FILE...
"""
import datetime
import logging
import os
import struct
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Tavrello Sung"
POSTSCRIPT_NAME = "TavrelloSung"

# With slight hinting FreeType's auto-hinter sets its CJK alignment zones and stem widths from
# these characters. Without them in the face it measures other glyphs and draws some characters
# a pixel off from the full face.
AUTO_HINTER_REFERENCE = (
    "他们你來們到和地对對就席我时時會来為能舰說说这這齊军同已愿既星是景民照现現理用置要軍那配里開雷露面顾"
    "个为人他以们你來個們到和大对對就我时時有来為要說说主些因它想意理生當看着置者自著裡过还进進過道還里面"
    "田囗"
)

PRINTABLE_ASCII = range(0x20, 0x7F)

# Qt's texts the window shows, by translation context: the context menu of a line edit (the
# input boxes and the count selector's field) and the button of the error report.
PLATFORM_TEXTS = [("QLineEdit", text) for text in
                  ("&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All")]
PLATFORM_TEXTS.append(("QPlatformTheme", "OK"))

# Sections and message fields of Qt's translation files (.qm).
QM_MAGIC = bytes.fromhex("3cb86418caef9c95cd211cbf60a1bddd")
QM_MESSAGES = 0x69
QM_END, QM_TRANSLATION, QM_OBSOLETE, QM_SOURCE, QM_CONTEXT = 1, 3, 5, 6, 7

NAME_FAMILY, NAME_UNIQUE_ID, NAME_FULL, NAME_VERSION, NAME_POSTSCRIPT = 1, 3, 4, 5, 6
NAME_DESCRIPTION, NAME_LICENSE, NAME_TYPOGRAPHIC_FAMILY = 10, 13, 16


def qm_messages(path):
    """(context, source text) -> translation, for every message of a .qm file."""
    with open(path, "rb") as qm:
        data = qm.read()
    if not data.startswith(QM_MAGIC):
        sys.exit(f"{path} is not a Qt translation file")
    position, messages = len(QM_MAGIC), b""
    while position < len(data):
        tag, length = data[position], struct.unpack(">I", data[position + 1:position + 5])[0]
        if tag == QM_MESSAGES:
            messages = data[position + 5:position + 5 + length]
        position += 5 + length
    found, fields, position = {}, {}, 0
    while position < len(messages):
        tag, position = messages[position], position + 1
        if tag == QM_END:
            if QM_TRANSLATION in fields:
                found[(fields.get(QM_CONTEXT), fields.get(QM_SOURCE))] = fields[QM_TRANSLATION]
            fields = {}
            continue
        length = struct.unpack(">I", messages[position:position + 4])[0]
        position += 4
        if tag == QM_OBSOLETE or length == 0xFFFFFFFF:
            continue
        value = messages[position:position + length]
        position += length
        fields[tag] = value.decode("utf-16-be" if tag == QM_TRANSLATION else "utf-8")
    return found


def platform_texts(qm_path):
    messages = qm_messages(qm_path)
    missing = [pair for pair in PLATFORM_TEXTS if pair not in messages]
    if missing:
        sys.exit(f"{qm_path} does not translate {missing}")
    return "".join(messages[pair] for pair in PLATFORM_TEXTS)


def characters_of(qm_path, text_files):
    shown = set(AUTO_HINTER_REFERENCE) | set(platform_texts(qm_path))
    for path in text_files:
        with open(path, encoding="utf-8") as text:
            shown.update(character for character in text.read() if ord(character) > 0x7E)
    return sorted({ord(character) for character in shown} | set(PRINTABLE_ASCII))


def change_date():
    # Reproducible builds fix the date; the licence asks each changed file to say when it changed.
    seconds = os.environ.get("SOURCE_DATE_EPOCH")
    moment = (datetime.datetime.fromtimestamp(int(seconds), datetime.timezone.utc)
              if seconds else datetime.datetime.now(datetime.timezone.utc))
    return moment.date().isoformat()


def english_name(font, name_id):
    record = font["name"].getName(name_id, 3, 1, 0x409)
    if record is None:
        sys.exit(f"the source face has no English name {name_id}")
    return record.toUnicode()


def rename(font):
    original = english_name(font, NAME_FULL)
    version = english_name(font, NAME_VERSION)
    notice = (f"Changed on {change_date()} by the build of Tavrello: a subset of {original} "
              f"({version}) that keeps only the characters Tavrello shows, with the family "
              f"renamed to {FAMILY}. Outlines, metrics and hinting are unchanged.")
    table = font["name"]
    new_names = {
        NAME_FAMILY: FAMILY,
        NAME_FULL: FAMILY,
        NAME_TYPOGRAPHIC_FAMILY: FAMILY,
        NAME_UNIQUE_ID: f"{FAMILY}: subset of {original}, {change_date()}",
        NAME_POSTSCRIPT: POSTSCRIPT_NAME,
        NAME_DESCRIPTION: notice,
    }
    # Every platform and language, so that no localised name still says the original family.
    table.names = [record for record in table.names if record.nameID not in new_names]
    for name_id, text in new_names.items():
        table.setName(text, name_id, 3, 1, 0x409)
        table.setName(text, name_id, 1, 0, 0)


def main(arguments):
    if len(arguments) < 5:
        sys.exit(__doc__)
    source, font_out, license_out, qm_path, *text_files = arguments
    logging.getLogger("fontTools").setLevel(logging.ERROR)

    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.name_legacy = True
    options.notdef_outline = True
    # Vertical-writing substitutions; the window writes horizontally only.
    options.drop_tables += ["mort"]

    font = TTFont(source)
    license_text = english_name(font, NAME_LICENSE)
    cutter = subset.Subsetter(options)
    cutter.populate(unicodes=characters_of(qm_path, text_files))
    cutter.subset(font)
    rename(font)
    font.save(font_out)

    with open(license_out, "w", encoding="utf-8") as license_file:
        license_file.write(license_text.replace("\r\n", "\n").rstrip() + "\n")


if __name__ == "__main__":
    main(sys.argv[1:])
