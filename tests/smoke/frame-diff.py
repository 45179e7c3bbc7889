"""Compares the 3-D area of two xwd dumps of the program's window, or looks at one.

Usage: frame-diff.py a.xwd b.xwd changed|same
       frame-diff.py a.xwd cube
The first exits 0 when the area changed (or stayed the same) as asked, allowing 3 levels of noise
per channel. The second exits 0 when white edges fill part of the 3-D area and no yellow message
text is shown anywhere: a hypercube is drawn and no message box is open.
"""
import struct
import sys

# The 3-D area between the control panel and the help lines, sampled every second pixel.
AREA_ROWS = (80, 690)


def read_xwd(path):
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, ncolors = header[11], header[12], header[19]
    if bits_per_pixel != 32:
        sys.exit("expected a 32-bit visual, got %d bits per pixel" % bits_per_pixel)
    offset = header_size + ncolors * 12
    return width, height, bytes_per_line, data[offset:]


def pixels(frame, rows):
    """(offset, blue, green, red) of every second pixel of every second row in rows."""
    w, h, stride, data = frame
    for y in range(rows[0], min(h, rows[1]), 2):
        for x in range(0, w, 2):
            i = y * stride + x * 4
            yield i, data[i], data[i + 1], data[i + 2]


def compare(a, b, want):
    other = b[3]
    changed = sum(1 for i, *bgr in pixels(a, AREA_ROWS) if any(abs(bgr[k] - other[i + k]) > 3 for k in range(3)))
    print("pixels changed in the 3-D area: %d" % changed)
    return (changed > 100) == (want == "changed")


def shows_cube(frame):
    white = sum(1 for _, b, g, r in pixels(frame, AREA_ROWS) if min(b, g, r) > 200)
    yellow = sum(1 for _, b, g, r in pixels(frame, (0, frame[1])) if r > 200 and g > 200 and b < 80)
    print("white pixels in the 3-D area: %d, yellow pixels (message text): %d" % (white, yellow))
    return white > 100 and yellow == 0


def main():
    a = read_xwd(sys.argv[1])
    if sys.argv[2] == "cube":
        ok = shows_cube(a)
    else:
        ok = compare(a, read_xwd(sys.argv[2]), sys.argv[3])
    sys.exit(0 if ok else 1)


main()
