#!/usr/bin/python3
"""Puts the fonts a Windows machine has for the window into a folder: Times
New Roman, as Liberation Serif (Debian's fonts-liberation2, which has Times
New Roman's metrics and Cyrillic letters) under Times New Roman's name, in
its four styles, with Windows' file names.

Under wine, Qt's offscreen platform reads its fonts from one folder
(QT_QPA_FONTDIR) and matches families by name, with none of fontconfig's
aliases; with these, the window's «Times New Roman» is found as on Windows.
Made on the test machine only, for the tests; never shipped.

Usage: times-new-roman.py FOLDER
"""
import os
import sys

from fontTools.ttLib import TTFont

SOURCE = "/usr/share/fonts/truetype/liberation2/LiberationSerif-{}.ttf"
STYLES = {"Regular": "times.ttf", "Bold": "timesbd.ttf", "Italic": "timesi.ttf",
          "BoldItalic": "timesbi.ttf"}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for style, file_name in STYLES.items():
        font = TTFont(SOURCE.format(style))
        for record in font["name"].names:
            text = record.toUnicode()
            renamed = (text.replace("Liberation Serif", "Times New Roman")
                       .replace("LiberationSerif", "TimesNewRomanPS"))
            if renamed != text:
                record.string = renamed
        font.save(os.path.join(folder, file_name))


if __name__ == "__main__":
    main()
