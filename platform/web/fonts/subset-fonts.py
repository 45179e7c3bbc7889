#!/usr/bin/python3
"""Cuts the three Debian fonts the Linux build uses down to the characters the program can show and
writes them as WOFF2 next to their licences, for the page to ship.

usage: subset-fonts.py SOURCE_TREE OUTPUT_DIR

The characters are every character of a wide string literal in app/, gui/ and hypercube/, plus
printable ASCII (the digits of the entry field, the face numbers and the frame counter among them).
"""
import os
import re
import shutil
import sys

from fontTools import subset

# (file name, source font, index in a collection, licence files to ship beside it)
FONTS = [
    ("uming.woff2", "/usr/share/fonts/truetype/arphic/uming.ttc", 0,
     ["/usr/share/doc/fonts-arphic-uming/copyright"]),
    ("wqy-microhei.woff2", "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 0,
     ["/usr/share/doc/fonts-wqy-microhei/copyright", "/usr/share/common-licenses/Apache-2.0",
      "/usr/share/common-licenses/GPL-3"]),
    ("cwyen.woff2", "/usr/share/fonts/truetype/cwtex/cwyen.ttf", 0,
     ["/usr/share/doc/fonts-cwtex-yen/copyright", "/usr/share/common-licenses/GPL-2"]),
]

LITERAL = re.compile(r'L"((?:[^"\\]|\\.)*)"')


def shown_characters(source_tree):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for folder in ("app", "gui", "hypercube"):
        for root, _, files in os.walk(os.path.join(source_tree, folder)):
            for name in files:
                if name.endswith((".cpp", ".h")):
                    with open(os.path.join(root, name), encoding="utf-8") as f:
                        for literal in LITERAL.findall(f.read()):
                            chars.update(literal)
    return "".join(sorted(chars))


def main():
    source_tree, output = sys.argv[1], sys.argv[2]
    os.makedirs(output, exist_ok=True)
    text = shown_characters(source_tree)
    for file_name, source, index, licences in FONTS:
        options = subset.Options()
        options.flavor = "woff2"
        options.font_number = index
        options.layout_features = ["*"]
        options.name_IDs = ["*"]
        options.notdef_outline = True
        font = subset.load_font(source, options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        subset.save_font(font, os.path.join(output, file_name), options)
        stem = file_name.split(".")[0]
        with open(os.path.join(output, stem + "-LICENSE.txt"), "w", encoding="utf-8") as out:
            for licence in licences:
                out.write("==> %s <==\n" % licence)
                with open(licence, encoding="utf-8", errors="replace") as f:
                    shutil.copyfileobj(f, out)
                out.write("\n")
    with open(os.path.join(output, "characters.txt"), "w", encoding="utf-8") as f:
        f.write(text + "\n")


if __name__ == "__main__":
    main()
