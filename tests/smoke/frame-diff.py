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


def rows_of(frame, rows):
    """Blue, green and red of every second pixel of every second row in rows, as byte strings."""
    w, h, stride, data = frame
    for y in range(rows[0], min(h, rows[1]), 2):
        line = data[y * stride : y * stride + w * 4]
        yield line, line[0::8], line[1::8], line[2::8]


def compare(a, b, want):
    changed = 0
    for (line_a, *bgr_a), (line_b, *bgr_b) in zip(rows_of(a, AREA_ROWS), rows_of(b, AREA_ROWS)):
        if line_a != line_b:
            changed += sum(1 for p in zip(*bgr_a, *bgr_b) if any(abs(p[k] - p[k + 3]) > 3 for k in range(3)))
    print("pixels changed in the 3-D area: %d" % changed)
    return (changed > 100) == (want == "changed")


def shows_cube(frame):
    white = sum(sum(1 for p in zip(b, g, r) if min(p) > 200) for line, b, g, r in rows_of(frame, AREA_ROWS)
                if max(line) > 200)
    yellow = sum(sum(1 for p in zip(b, g, r) if p[2] > 200 and p[1] > 200 and p[0] < 80)
                 for _, b, g, r in rows_of(frame, (0, frame[1])) if max(r) > 200)
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
