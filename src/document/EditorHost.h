#pragma once
// How the document asks the player for an element's new values: an editor per
// kind of value. The tree panel implements it with the value dialogs; tests
// script it. The document turns a confirmed answer into a step.

#include <functional>

#include "shape/ElementFields.h"

namespace tavrel {

// "View Center" in the point editor: centres the views on these values.
using ViewCenter = std::function<void(const PointValues&)>;

class EditorHost {
 public:
  virtual ~EditorHost() = default;
  // Each editor returns true when the user confirmed; the values are then the new ones.
  virtual bool EditPoint(PointValues& values, const ViewCenter& viewCenter) = 0;
  virtual bool EditCamera(CameraFields& fields) = 0;
  virtual bool EditDataValue(int& value) = 0;
};

}  // namespace tavrel
