#include "shape/JamOutline.h"

#include "base/Format.h"
#include "shape/Outline.h"
#include "shape/OutlineLabels.h"
#include "textures/GamePalette.h"
#include "textures/JAM.h"

namespace tavrel {

using namespace outline;

namespace {

struct ItemField {
  const char* label;
  int (JAM::*value)(int) const;
};

// The fields listed under an item line before its IDX_18 bytes, in order.
constexpr ItemField kLeadingFields[] = {
    {kJamX, &JAM::GetX},           {kJamY, &JAM::GetY},         {kJamWidth, &JAM::GetWidth},
    {kJamHeight, &JAM::GetHeight}, {kJamIdx08, &JAM::GetIdx08}, {kJamIdx0A, &JAM::GetIdx0A},
    {kJamIdx0E, &JAM::GetIdx0E},   {kJamIdx14, &JAM::GetIdx14}, {kJamIdx16, &JAM::GetIdx16},
    {kJamIdx17, &JAM::GetIdx17},
};
constexpr const char* kTableLabels[] = {kJamPalette1, kJamPalette2, kJamPalette3, kJamPalette4};
constexpr int kIdx18Bytes = 8;

// One line per byte of the table; the first table's lines also show the game
// palette colour the byte stands for.
void addTableLines(OutlineNode& tableItem, const JAM& jam, int item, int table) {
  const ByteView bytes = jam.GetPalette(item, table);
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const int value = bytes[k];
    const int index = static_cast<int>(k);
    if (table == 1) {
      const Rgb colour = kGamePalette[bytes[k]];
      tableItem.Add(format(kJamColourLine, index, value, colour.red, colour.green, colour.blue), kImageJamLine);
    } else {
      tableItem.Add(format(kJamTableLine, index, value), kImageJamLine);
    }
  }
}

// The lines under an item's line: its fields and its four colour table items.
void addItemFields(OutlineNode& line, const std::shared_ptr<const JAM>& jam, int i) {
  const JAM& j = *jam;
  for (const ItemField& field : kLeadingFields) line.Add(format(field.label, (j.*field.value)(i)), kImageJamLine);
  for (int k = 0; k < kIdx18Bytes; ++k) line.Add(format(kJamIdx18, k, j.GetIdx18(i, k)), kImageJamLine);
  const int paletteSize = j.GetPaletteSize(i);
  line.Add(format(kJamPaletteSize, paletteSize), kImageJamLine);
  line.Add(format(kJamPalettePtr, j.GetPalettePtr(i)), kImageJamLine);
  for (int table = 1; table <= 4; ++table) {
    OutlineNode& tableItem = line.Add(format(kTableLabels[table - 1], paletteSize), kImageJamLine);
    if (!j.GetPalette(i, table).empty())
      tableItem.SetProducer([jam, i, table](OutlineNode& node) { addTableLines(node, *jam, i, table); });
  }
}

// Listing only opened the file: its content is read when its items are first shown.
void addItems(OutlineNode& countItem, const std::shared_ptr<JAM>& jam) {
  jam->EnsureLoaded();
  const JAM& j = *jam;
  for (int i = 0; i < j.ItemCount(); ++i) {
    OutlineNode& line = countItem.Add(
        format(kJamItem, j.GetJamId(i), j.GetX(i), j.GetY(i), j.GetWidth(i), j.GetHeight(i)), kImageJamLine);
    line.SetProducer([jam, i](OutlineNode& node) { addItemFields(node, jam, i); });
  }
}

}  // namespace

void AddJamOutline(OutlineNode& parent, const std::shared_ptr<JAM>& jam) {
  if (jam == nullptr || !jam->IsOpen()) {
    parent.Add(kJamUnloaded, kImageJamUnloaded);
    return;
  }
  OutlineNode& countItem = parent.Add(format(kJamItemCount, jam->ItemCount()), kImageJamLine);
  if (jam->ItemCount() > 0) countItem.SetProducer([jam](OutlineNode& node) { addItems(node, jam); });
  parent.Add(format(kJamTotalSize, jam->GetTotalImageSize()), kImageJamLine);
}

}  // namespace tavrel
