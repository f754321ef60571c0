// Arbitrary bytes as a JAM file (scrambled as stored), its outline listed: only
// the two top lines are made until the items are expanded, then every level is
// expanded and the number of lines checked against the items.
#include <cstdint>
#include <vector>

#include "base/Messages.h"
#include "shape/JamOutline.h"
#include "shape/Outline.h"
#include "textures/JAM.h"

namespace {

std::size_t ExpandAll(tavrel::OutlineNode& node) {
  std::size_t count = 0;
  for (const auto& child : node.Children()) {
    if (child->parent != &node) __builtin_trap();
    count += 1 + ExpandAll(*child);
  }
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavrel::SilentMessages messages;
  auto jam = std::make_shared<tavrel::JAM>("fuzz.jam");
  jam->LoadFromBytes(std::vector<std::uint8_t>(data, data + size), false, messages);
  tavrel::OutlineNode fileItem("fuzz.jam", 9);
  tavrel::AddJamOutline(fileItem, jam);
  if (jam->IsLoaded()) {
    const auto& top = fileItem.MadeChildren();
    if (top.size() != 2 || !top[0]->MadeChildren().empty()) __builtin_trap();
    if (top[0]->HasChildren() != (jam->ItemCount() > 0)) __builtin_trap();
  }
  const std::size_t lines = ExpandAll(fileItem);
  if (!jam->IsLoaded()) {
    if (lines != 1) __builtin_trap();
    return 0;
  }
  // Two top lines and 25 per item, plus at most one line per byte of the file.
  const std::size_t itemLines = 2 + 25 * static_cast<std::size_t>(jam->ItemCount());
  if (lines < itemLines || lines > itemLines + size) __builtin_trap();
  return 0;
}
