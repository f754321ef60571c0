// Arbitrary bytes as a JAM file (scrambled as stored) and as a shape image; the
// outline of each is listed with every table expanded, and every label checked
// against the item counts the outline claims.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/Messages.h"
#include "shape/Car.h"
#include "shape/JamOutline.h"
#include "shape/Outline.h"
#include "textures/CarMappingTable.h"
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
  const std::size_t lines = ExpandAll(fileItem);
  // Every item has 24 field lines, and no table has more lines than the file has bytes.
  if (jam->IsLoaded() && lines < 2 + 25 * static_cast<std::size_t>(jam->ItemCount())) __builtin_trap();
  if (lines > 2 + 25 * static_cast<std::size_t>(jam->ItemCount()) + size) __builtin_trap();

  static auto car = std::make_unique<tavrel::Car>();
  static const tavrel::CarMappingTable mapping;
  car->m_Image.fill(0);
  std::copy_n(data, std::min(size, tavrel::Car::kImageSize), car->m_Image.begin());
  car->Decode(94, messages);
  tavrel::OutlineNode top("All Cars", 0);
  tavrel::BuildOutline(top, *car, 0, mapping);
  if (ExpandAll(top) < 6 + 9) __builtin_trap();
  return 0;
}
