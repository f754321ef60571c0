# Run by Blender: imports a glTF file with the default options and prints its
# mesh count, its images and the size of everything in metres, as Blender has it.
#   blender --background --python gltf_summary.py -- CAR.gltf
import sys

import numpy

# Debian's numpy 1.24 dropped the alias Blender 3.4's glTF importer still uses.
if not hasattr(numpy, "bool"):
    numpy.bool = bool

import bpy
from mathutils import Vector

path = sys.argv[sys.argv.index("--") + 1]
bpy.ops.wm.read_factory_settings(use_empty=True)
bpy.ops.import_scene.gltf(filepath=path)
meshes = [o for o in bpy.context.scene.objects if o.type == "MESH"]
corners = [o.matrix_world @ Vector(c) for o in meshes for c in o.bound_box]
size = [max(c[i] for c in corners) - min(c[i] for c in corners) for i in range(3)]
print("meshes:", len(meshes))
print("images:", " ".join(f"{i.size[0]}x{i.size[1]}" for i in sorted(bpy.data.images, key=lambda i: i.name)))
print("size:", " ".join(f"{s:.1f}" for s in size))
