#include "cli/OutlineText.h"

#include <string>

#include "shape/Outline.h"

namespace tavrel::cli {

void PrintOutline(std::ostream& out, OutlineNode& node, int depth, bool images) {
  out << std::string(static_cast<std::size_t>(depth) * 2, ' ');
  if (images) out << node.image << '\t';
  out << node.text << '\n';
  for (const auto& child : node.Children()) PrintOutline(out, *child, depth + 1, images);
  // Printed lines are not needed again; this keeps one colour table in memory at a time.
  node.ReleaseChildren();
}

}  // namespace tavrel::cli
