#pragma once
// Outline items as text lines: each level indented two more spaces than the one
// above it, optionally with the item's image index and a tab before its label.

#include <ostream>

namespace tavrel {
struct OutlineNode;
}

namespace tavrel::cli {

// Prints `node` at `depth` and everything beneath it, making children that are
// made on demand and letting each node's children go once they are printed.
void PrintOutline(std::ostream& out, OutlineNode& node, int depth, bool images);

}  // namespace tavrel::cli
