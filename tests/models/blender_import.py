"""Run by Blender in the background (check_blender.sh): imports each model named after `--`, a .glb with
Blender's glTF importer or a .obj with its OBJ importer, into an empty scene, and checks the objects it
makes and their size in metres: every GLB has the objects edges and vertices (and faces with the
view's faces) and the camera; every OBJ its groups, which Blender keeps as vertex groups. Prints one line per
model; exits 1 on any fault."""
import sys

import bpy
import numpy
from mathutils import Vector

# Debian's Blender 3.4 ships a glTF importer that still names numpy.bool, which Debian's numpy 1.24 no
# longer has: it was only ever the builtin bool.
if not hasattr(numpy, "bool"):
    numpy.bool = bool

faults = 0


def fault(name, what):
    global faults
    faults += 1
    print("FAIL %s: %s" % (name, what), flush=True)


def bounds(objects):
    low, high = [1e9] * 3, [-1e9] * 3
    for obj in objects:
        for corner in obj.bound_box:
            world = obj.matrix_world @ Vector(corner)
            for a in range(3):
                low[a], high[a] = min(low[a], world[a]), max(high[a], world[a])
    return low, high


arguments = sys.argv[sys.argv.index("--") + 1:]
for argument in arguments:
    path, size, faces = argument.split(",")
    size, faces = float(size), faces == "1"
    bpy.ops.wm.read_factory_settings(use_empty=True)
    if path.endswith(".glb"):
        bpy.ops.import_scene.gltf(filepath=path)
    else:
        # Blender 3.4's importer makes an object of each OBJ object and a vertex group of each group.
        bpy.ops.wm.obj_import(filepath=path, import_vertex_groups=True)
    objects = {obj.name: obj for obj in bpy.context.scene.objects}
    meshes = [obj for obj in objects.values() if obj.type == "MESH"]
    wanted = {"edges", "vertices"} | ({"faces"} if faces else set())
    if path.endswith(".glb"):
        names = {obj.name for obj in meshes}
    else:
        names = {group.name for obj in meshes for group in obj.vertex_groups}
    if names != wanted:
        fault(path, "objects or groups %s, expected %s" % (sorted(names), sorted(wanted)))
    if path.endswith(".glb") and not any(obj.type == "CAMERA" for obj in objects.values()):
        fault(path, "no camera")
    # The squares lie within the balls, so the whole is as large as its struts and balls.
    low, high = bounds(meshes)
    # Blender turns glTF's and OBJ's y up into its own z up.
    largest = max(h - l for h, l in zip(high, low))
    if abs(largest - size / 1000) > 1e-5 * size or abs(low[2]) > 1e-6:
        fault(path, "%s m across with its lowest z %s, expected %s m on the floor" % (largest, low[2], size / 1000))
    print("%s: %s, %.6f m across" % (path, ", ".join(sorted(obj.name for obj in objects.values())), largest), flush=True)
sys.exit(1 if faults else 0)
