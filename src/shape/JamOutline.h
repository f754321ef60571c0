#pragma once
// The outline of a JAM file as the tree lists it under the file's item.

#include <memory>

namespace tavrel {

class JAM;
struct OutlineNode;

// Adds "Currently Unloaded" for a JAM that is not loaded; else the item count
// with one line per item and its fields, and the total image size. The lines of
// the colour tables are made only when their table item is expanded, so listing
// costs in proportion to the items; the table items keep the JAM alive until then.
void AddJamOutline(OutlineNode& parent, std::shared_ptr<const JAM> jam);

}  // namespace tavrel
