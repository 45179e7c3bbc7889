#!/usr/bin/python3
"""Cuts the three Debian fonts the Linux build uses down to the characters the program can show and
writes them as WOFF2 next to their licences, for the page to ship.

usage: subset-fonts.py SOURCE_TREE OUTPUT_DIR

The characters are every character of a wide string literal in app/, gui/, hypercube/ and page/ (the
texts the program shows, and those the page asks it for), plus printable ASCII (the digits of the
entry field, the face numbers and the frame counter among them).
The page's own text is set in the Hei face too, so that face also gets every character of the page
(page/index.html and the page's scripts): a character it lacked would be drawn in another
font, and looked up among the system's fonts, which at the page's start costs the browser more
than the rest of its first layout.
"""
import os
import re
import shutil
import sys

from fontTools import subset

# (file name, source font, index in a collection, licence files to ship beside it, whether the page
# sets its own text in it)
FONTS = [
    ("uming.woff2", "/usr/share/fonts/truetype/arphic/uming.ttc", 0,
     ["/usr/share/doc/fonts-arphic-uming/copyright"], False),
    ("wqy-microhei.woff2", "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", 0,
     ["/usr/share/doc/fonts-wqy-microhei/copyright", "/usr/share/common-licenses/Apache-2.0",
      "/usr/share/common-licenses/GPL-3"], True),
    ("cwyen.woff2", "/usr/share/fonts/truetype/cwtex/cwyen.ttf", 0,
     ["/usr/share/doc/fonts-cwtex-yen/copyright", "/usr/share/common-licenses/GPL-2"], False),
]

# The folders of the program's texts.
PROGRAM_TEXT_FOLDERS = ("app", "gui", "hypercube", "page")
LITERAL = re.compile(r'L"((?:[^"\\]|\\.)*)"')


def shown_characters(source_tree):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for folder in PROGRAM_TEXT_FOLDERS:
        for root, _, files in os.walk(os.path.join(source_tree, folder)):
            for name in files:
                if name.endswith((".cpp", ".h")):
                    with open(os.path.join(root, name), encoding="utf-8") as f:
                        for literal in LITERAL.findall(f.read()):
                            chars.update(literal)
    return "".join(sorted(chars))


def page_characters(source_tree):
    """Every character beyond ASCII in the page's HTML and scripts, comments included."""
    chars = set()
    web = os.path.join(source_tree, "page")
    for name in sorted(os.listdir(web)):
        if name == "index.html" or (name.endswith(".js") and (name.startswith("page_") or name == "tessary_page.js")):
            with open(os.path.join(web, name), encoding="utf-8") as f:
                chars.update(c for c in f.read() if ord(c) >= 0x80 and c.isprintable())
    return chars


def main():
    source_tree, output = sys.argv[1], sys.argv[2]
    os.makedirs(output, exist_ok=True)
    text = shown_characters(source_tree)
    page_text = "".join(sorted(set(text) | page_characters(source_tree)))
    for file_name, source, index, licences, page in FONTS:
        options = subset.Options()
        options.flavor = "woff2"
        options.font_number = index
        options.layout_features = ["*"]
        options.name_IDs = ["*"]
        options.notdef_outline = True
        font = subset.load_font(source, options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=page_text if page else text)
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
