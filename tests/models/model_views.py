"""The views the model checks draw: the n-cube for n = 3 to 8 with faces and as a wireframe, turned in
every plane, and orbited; and the axis-aligned 4-cube, which folds into a cube. Each comes with what an
independent reader needs to check a model of it: the view's vertices (the first three coordinates of
the turned cube of edge 50) and the camera, worked out here from the numbers the text is made of, not
by the program."""
import math
import struct

ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"


def _base64(value, chars):
    return "".join(ALPHABET[(value >> (6 * (chars - 1 - i))) & 63] for i in range(chars))


def _float_bits(x):
    return struct.unpack(">I", struct.pack(">f", x))[0]


def _f32(x):
    return struct.unpack(">f", struct.pack(">f", x))[0]


def view_text(n, mode, rotation, eye, up):
    """The view's text (hypercube/ViewText.h): dimension and mode, the camera as float bits, the
    rotation's entries as 24-bit fractions."""
    camera = "".join(_base64(_float_bits(v), 6) for v in list(eye) + list(up))
    orientation = "".join(_base64(round((rotation[r][c] + 1) * 8388607), 4) for r in range(n) for c in range(n))
    return "v1.%d%s.%s.%s" % (n, mode, camera, orientation)


def turned(n, angle):
    """The identity turned by a different angle in every plane of two axes."""
    m = [[1.0 if r == c else 0.0 for c in range(n)] for r in range(n)]
    for a in range(n):
        for b in range(a + 1, n):
            t = angle + 0.07 * (a + 2 * b)
            c, s = math.cos(t), math.sin(t)
            for col in range(n):
                x, y = m[a][col], m[b][col]
                m[a][col], m[b][col] = c * x - s * y, s * x + c * y
    return m


def orbit(yaw, pitch, distance=150.0):
    eye = (distance * math.sin(yaw) * math.cos(pitch), distance * math.sin(pitch),
           distance * math.cos(yaw) * math.cos(pitch))
    up = (-math.sin(yaw) * math.sin(pitch), math.cos(pitch), -math.cos(yaw) * math.sin(pitch))
    return tuple(_f32(v) for v in eye), tuple(_f32(v) for v in up)


def vertices(n, rotation):
    """Vertex v has coordinate k of +25 when bit k of v is set, else -25; column k of the rotation is
    where axis k points."""
    points = []
    for v in range(1 << n):
        corner = [25.0 if (v >> k) & 1 else -25.0 for k in range(n)]
        points.append([sum(rotation[r][k] * corner[k] for k in range(n)) for r in range(3)])
    return points


def views():
    cases = []
    identity4 = [[1.0 if r == c else 0.0 for c in range(4)] for r in range(4)]
    straight = ((0.0, 0.0, 150.0), (0.0, 1.0, 0.0))
    cases.append(("aligned-4f", 4, "f", identity4, straight))
    for n in range(3, 9):
        for mode in ("f", "w"):
            cases.append(("turned-%d%s" % (n, mode), n, mode, turned(n, 0.3), straight))
            cases.append(("orbited-%d%s" % (n, mode), n, mode, turned(n, 0.9), orbit(0.7, -0.45, 170.0)))
    result = []
    for name, n, mode, rotation, (eye, up) in cases:
        result.append({"name": name, "n": n, "faces": mode == "f", "text": view_text(n, mode, rotation, eye, up),
                       "vertices": vertices(n, rotation), "eye": list(eye), "up": list(up)})
    return result
