#!/usr/bin/env python3
"""make test-models: every model kind of `tessary --render` for the views of model_views.py, checked
with tools nobody here wrote. GLB: the Khronos glTF validator and three.js (check_glb.mjs). STL and
3MF: PrusaSlicer's --info gives the size in millimetres asked, resting on z = 0, and its
--export-gcode slices a few of them without error; admesh finds every shell of every STL closed, no
facet facing inwards and none degenerate. OBJ: its groups, and its size in metres. The command's line
on stdout names the folds. Usage: check_models.py TESSARY OUTPUT_FOLDER"""
import json
import os
import re
import subprocess
import sys
import zipfile

import model_views

HERE = os.path.dirname(os.path.abspath(__file__))
# PrusaSlicer slices the 8-cube's 1,280 shells in about a minute: only these are sliced.
SLICED = {"aligned-4f.stl", "orbited-7f.3mf", "turned-8f.stl"}

faults = []


def fault(name, what):
    faults.append(name)
    print("FAIL %s: %s" % (name, what), flush=True)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def distinct(points, tolerance):
    kept = []
    for p in points:
        if not any(sum((a - b) ** 2 for a, b in zip(p, q)) <= tolerance ** 2 for q in kept):
            kept.append(p)
    return kept


def prusa_info(name, path, size):
    info = run(["prusa-slicer", "--info", path])
    values = dict(re.findall(r"^(\w+) = +(\S+)$", info.stdout, re.M))
    if info.returncode != 0 or "size_x" not in values:
        fault(name, "prusa-slicer --info failed: " + (info.stderr.strip().splitlines() or ["?"])[-1])
        return
    sizes = [float(values[k]) for k in ("size_x", "size_y", "size_z")]
    if abs(max(sizes) - size) > 1e-3 * size:
        fault(name, "PrusaSlicer measures %s mm, asked %s" % (sizes, size))
    if abs(float(values["min_z"])) > 1e-3:
        fault(name, "lowest z %s, not on the bed" % values["min_z"])
    if values.get("manifold") != "yes":
        fault(name, "PrusaSlicer finds it not manifold")
    print("%s: PrusaSlicer %s x %s x %s mm, %s parts" % (name, values["size_x"], values["size_y"], values["size_z"],
                                                        values.get("number_of_parts", "?").strip()))


def admesh(name, path):
    out = run(["admesh", path]).stdout
    stats = dict((k.strip(), v) for k, v in re.findall(r"^([A-Za-z ]+?)\s*:\s*(\d+)", out, re.M))
    for key in ("Degenerate facets", "Edges fixed", "Facets removed", "Facets added", "Facets reversed",
                "Backwards edges", "Normals fixed"):
        if stats.get(key) != "0":
            fault(name, "admesh: %s %s" % (key, stats.get(key)))
    disconnected = re.search(r"Total disconnected facets\s*:\s*(\d+)", out)
    if not disconnected or disconnected.group(1) != "0":
        fault(name, "admesh finds open shells: %s" % (disconnected.group(1) if disconnected else "?"))


def slice_file(name, path, folder):
    gcode = os.path.join(folder, name + ".gcode")
    sliced = run(["prusa-slicer", "--export-gcode", "--output", gcode, path])
    if sliced.returncode != 0 or not os.path.exists(gcode) or os.path.getsize(gcode) == 0:
        fault(name, "prusa-slicer --export-gcode failed: " + (sliced.stderr.strip().splitlines() or ["?"])[-1])
    else:
        print("%s: sliced, %d bytes of G-code" % (name, os.path.getsize(gcode)))


def check_obj(name, path, size, faces):
    groups, low, high = set(), [1e9] * 3, [-1e9] * 3
    with open(path) as obj:
        for line in obj:
            if line.startswith("g "):
                groups.add(line.split()[1])
            elif line.startswith("v "):
                values = [float(v) for v in line.split()[1:]]
                if len(values) != 6:
                    fault(name, "a vertex without its colour: " + line.strip())
                    return
                for a in range(3):
                    low[a], high[a] = min(low[a], values[a]), max(high[a], values[a])
    wanted = {"edges", "vertices"} | ({"faces"} if faces else set())
    if groups != wanted:
        fault(name, "groups %s, expected %s" % (sorted(groups), sorted(wanted)))
    largest = max(h - l for h, l in zip(high, low))
    if abs(largest - size / 1000) > 1e-6 * size or abs(low[1]) > 1e-6:
        fault(name, "OBJ is %s m standing at y %s, asked %s m on y = 0" % (largest, low[1], size / 1000))


def main():
    tessary, folder = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(folder, exist_ok=True)
    manifest = []
    for index, view in enumerate(model_views.views()):
        # Sizes and struts of their own for some views; the default for the rest.
        size, strut = [(100.0, None), (60.0, 3.0), (250.0, 1.0)][index % 3]
        distinct_vertices = distinct(view["vertices"], 1e-6 * 50 * 2)
        for kind in ("glb", "stl", "3mf", "obj"):
            if kind in ("stl", "3mf") and not view["faces"]:
                continue  # a print has no faces: the wireframe's STL and 3MF are the same files
            name = "%s.%s" % (view["name"], kind)
            path = os.path.join(folder, name)
            command = [tessary, "--render", path, "--size", str(size), "--view", view["text"]]
            if strut:
                command += ["--strut", str(strut)]
            made = run(command, env=dict(os.environ, SDL_VIDEODRIVER="offscreen"))
            if made.returncode != 0:
                fault(name, "tessary failed: " + made.stderr.strip())
                continue
            summary = re.match(r"tessary: .*: (\d+) balls, (\d+) struts \((\d+) vertices, (\d+) edges of the (\d)-cube\)\n$",
                               made.stdout)
            if not summary or int(summary.group(1)) != len(distinct_vertices) or int(summary.group(3)) != 1 << view["n"]:
                fault(name, "the summary %r, expected %d balls of %d vertices" %
                      (made.stdout, len(distinct_vertices), 1 << view["n"]))
            if view["name"] == "aligned-4f" and not made.stdout.endswith(": 8 balls, 12 struts (16 vertices, 32 edges of the 4-cube)\n"):
                fault(name, "the axis-aligned 4-cube is not 8 balls and 12 struts: " + made.stdout)
            if kind == "glb":
                manifest.append({"file": path, "size": size, "faces": view["faces"], "vertices": view["vertices"],
                                 "eye": view["eye"], "up": view["up"], "balls": len(distinct_vertices)})
            elif kind in ("stl", "3mf"):
                prusa_info(name, path, size)
                if kind == "stl":
                    admesh(name, path)
                else:
                    with zipfile.ZipFile(path) as archive:
                        if archive.testzip() is not None or "3D/3dmodel.model" not in archive.namelist():
                            fault(name, "the 3MF's archive is broken")
                if name in SLICED:
                    slice_file(name, path, folder)
            else:
                check_obj(name, path, size, view["faces"])
    manifest_path = os.path.join(folder, "glb-manifest.json")
    with open(manifest_path, "w") as out:
        json.dump(manifest, out)
    checked = run(["node", os.path.join(HERE, "check_glb.mjs"), manifest_path], cwd=HERE)
    sys.stdout.write(checked.stdout)
    sys.stderr.write(checked.stderr)
    if checked.returncode != 0:
        faults.append("glb")
    # The square count of the axis-aligned 4-cube, as the glTF has it: six squares of the cube.
    with open(os.path.join(folder, "aligned-4f.glb"), "rb") as glb:
        data = glb.read()
    length = int.from_bytes(data[12:16], "little")
    document = json.loads(data[20:20 + length])
    squares = sum(document["accessors"][p["indices"]]["count"] // 6
                  for m in document["meshes"] if m["name"] == "faces" for p in m["primitives"])
    if squares != 6:
        fault("aligned-4f.glb", "%d squares, expected 6" % squares)
    print("%d fault(s)" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
