# Run by Blender: imports a WaveFront file with the default options, moves
# vertices of its one mesh in the file's own coordinates and exports it with
# the default options.
#   blender --background --python move_points.py -- IN.obj OUT.obj INDEX:DX,DY,DZ...
import sys

import bpy

source, out, *moves = sys.argv[sys.argv.index("--") + 1:]
bpy.ops.wm.read_factory_settings(use_empty=True)
bpy.ops.wm.obj_import(filepath=source)
meshes = [o for o in bpy.context.scene.objects if o.type == "MESH"]
assert len(meshes) == 1, f"{len(meshes)} meshes imported"
vertices = meshes[0].data.vertices
# The importer turns the file's axes into Blender's with the object's rotation;
# the mesh keeps the file's coordinates.
for move in moves:
    index, offsets = move.split(":")
    for axis, offset in enumerate(float(d) for d in offsets.split(",")):
        vertices[int(index)].co[axis] += offset
bpy.ops.wm.obj_export(filepath=out)
