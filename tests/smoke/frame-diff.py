"""Compares the 3-D area of two xwd dumps of the program's window.

Usage: frame-diff.py a.xwd b.xwd changed|same
Exits 0 when the area changed (or stayed the same) as asked, allowing 3 levels of noise per channel.
"""
import struct
import sys


def read_xwd(path):
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, ncolors = header[11], header[12], header[19]
    if bits_per_pixel != 32:
        sys.exit("expected a 32-bit visual, got %d bits per pixel" % bits_per_pixel)
    offset = header_size + ncolors * 12
    return width, height, bytes_per_line, data[offset:]


def main():
    w, h, stride, a = read_xwd(sys.argv[1])
    _, _, _, b = read_xwd(sys.argv[2])
    changed = 0
    # The 3-D area between the control panel and the help lines.
    for y in range(80, min(h, 690), 2):
        row = y * stride
        for x in range(0, w, 2):
            i = row + x * 4
            if any(abs(a[i + k] - b[i + k]) > 3 for k in range(3)):
                changed += 1
    print("pixels changed in the 3-D area: %d" % changed)
    want_changed = sys.argv[3] == "changed"
    sys.exit(0 if (changed > 100) == want_changed else 1)


main()
