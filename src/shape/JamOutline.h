#pragma once
// The outline of a JAM file as the tree lists it under the file's item.

#include <memory>

namespace tavrel {

class JAM;
struct OutlineNode;

// Adds "Currently Unloaded" for a JAM that is not open; else the item count
// with one line per item and its fields, and the total image size. Every level
// is made only when its item is expanded (the item lines, an item's fields, a
// colour table's lines), so listing costs the same whatever the number of
// items; the items that can still make lines keep the JAM alive until then.
void AddJamOutline(OutlineNode& parent, const std::shared_ptr<JAM>& jam);

}  // namespace tavrel
