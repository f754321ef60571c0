#include "shape/JamFile.h"

#include "base/GamePaths.h"
#include "shape/Car.h"
#include "shape/JamOutline.h"
#include "shape/Outline.h"
#include "shape/OutlineLabels.h"
#include "textures/JAM.h"

namespace tavrel {

std::vector<std::string> LiveryNames() {
  constexpr std::string_view kLiveriesFolder = "zavjams/Liveries/";
  std::vector<std::string> names;
  for (std::string_view path : kCarJamPaths)
    if (path.starts_with(kLiveriesFolder)) names.emplace_back(path.substr(kLiveriesFolder.size()));
  return names;
}

void JamFile::SelectForDocument() const {
  if (m_Document != nullptr) m_Document->SelectJam(m_Jam);
}

void FillCarJam(Car& car, int j, const CarJamSource& source) {
  if (j < 0 || j >= static_cast<int>(kCarJamPaths.size())) return;
  JamFile& slot = car.m_CarJams[static_cast<std::size_t>(j)];
  // Let go of the earlier JAM before the new one is read: whoever still shows
  // it keeps it alive, nobody else needs two copies in memory.
  slot.m_Jam.reset();
  slot.m_Path = kCarJamPaths[static_cast<std::size_t>(j)];
  slot.m_Document = source.document;
  slot.m_Owner = &car;
  slot.m_Index = j;
  auto jam = std::make_shared<JAM>(GamePath(source.gameLocation, slot.m_Path));
  jam->Open(true, source.messages, source.seed);
  slot.m_Jam = std::move(jam);
}

void ListCarJams(OutlineNode& carItem, Car& car, const CarJamSource& source) {
  OutlineNode& group = carItem.Add(outline::kCarJams, outline::kImageCarJams);
  for (int j = 0; j < static_cast<int>(kCarJamPaths.size()); ++j) {
    FillCarJam(car, j, source);
    JamFile& slot = car.m_CarJams[static_cast<std::size_t>(j)];
    OutlineNode& item = group.Add(slot.m_Path, outline::kImageCarJams, &slot);
    slot.m_TreeItem = &item;
    AddJamOutline(item, slot.m_Jam);
  }
}

}  // namespace tavrel
