#pragma once
// What an element's Edit needs from the program: an editor per kind of value and
// a way to relabel the element's tree item. The tree panel implements it with
// the value dialogs; tests script it.

#include <string>

namespace tavrel {

class Object3D;
struct OutlineNode;

struct PointValues {
  int x = 0;
  int y = 0;
  int z = 0;
};

// The camera editor's ten fields; the angles in degrees.
struct CameraFields {
  int x = 0;
  int y = 0;
  int z = 0;
  int direction = 0;
  int pitch = 0;
  int roll = 0;
  int detail1 = 0;
  int detail2 = 0;
  int rearWheel = 0;
  int frontWheel = 0;
};

class EditorHost {
 public:
  virtual ~EditorHost() = default;
  // Each editor returns true when the user confirmed; the values are then the new ones.
  // `shape` is the shape holding the edited point or connection (for "View Center").
  virtual bool EditPoint(Object3D* shape, PointValues& values) = 0;
  virtual bool EditCamera(CameraFields& fields) = 0;
  virtual bool EditDataValue(int& value) = 0;
  // Writes a new label into a tree item; an element without an item has none.
  virtual void SetItemText(OutlineNode* item, const std::string& text) = 0;
};

}  // namespace tavrel
