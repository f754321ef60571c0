#include "textures/JAM.h"

#include <algorithm>
#include <new>

#include "base/Files.h"
#include "base/Format.h"
#include "textures/GamePalette.h"

namespace tavrel {
namespace {

// Record offsets of the fields read by name.
constexpr int kX = 0;
constexpr int kY = 1;
constexpr int kWidth = 4;
constexpr int kHeight = 6;
constexpr int kIdx08 = 8;
constexpr int kIdx0A = 10;
constexpr int kPalettePtr = 12;
constexpr int kIdx0E = 14;
constexpr int kPaletteSize = 16;
constexpr int kJamId = 18;
constexpr int kIdx14 = 20;
constexpr int kIdx16 = 22;
constexpr int kIdx17 = 23;
constexpr int kIdx18 = 24;

// The part of `bytes` from `offset` on, at most `size` bytes; empty past the end.
ByteView clippedView(ByteView bytes, std::int64_t offset, std::int64_t size) {
  if (offset >= static_cast<std::int64_t>(bytes.size())) return {};
  const auto available = static_cast<std::int64_t>(bytes.size()) - offset;
  return bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(std::min(size, available)));
}

// The game palette as the blue, green, red, 0 entries of a bitmap colour table.
const std::array<std::uint8_t, IndexedBitmap::kColourTableSize>& gameColourTable() {
  static const auto table = [] {
    std::array<std::uint8_t, IndexedBitmap::kColourTableSize> entries{};
    for (std::size_t v = 0; v < kGamePalette.size(); ++v) {
      entries[v * 4] = kGamePalette[v].blue;
      entries[v * 4 + 1] = kGamePalette[v].green;
      entries[v * 4 + 2] = kGamePalette[v].red;
    }
    return entries;
  }();
  return table;
}

}  // namespace

void ScrambleJamBytes(MutableByteView bytes, std::uint32_t seed) {
  std::uint32_t key = seed | 1u;
  const std::size_t words = bytes.size() / 4;
  std::uint8_t* at = bytes.data();
  for (std::size_t word = 0; word < words; ++word, at += 4) {
    at[0] ^= static_cast<std::uint8_t>(key);
    at[1] ^= static_cast<std::uint8_t>(key >> 8);
    at[2] ^= static_cast<std::uint8_t>(key >> 16);
    at[3] ^= static_cast<std::uint8_t>(key >> 24);
    key *= 5u;
  }
  for (std::size_t trailing = words * 4; trailing < bytes.size(); ++trailing, key >>= 8)
    bytes[trailing] ^= static_cast<std::uint8_t>(key);
}

// ---------------------------------------------------------------------------

int JAMEntry::Field16(int offset) const { return readU16(ByteView(m_Record, kRecordSize), offset).value_or(0); }
int JAMEntry::Field8(int offset) const { return offset >= 0 && offset < kRecordSize ? m_Record[offset] : 0; }
int JAMEntry::X() const { return Field8(kX); }
int JAMEntry::Y() const { return Field16(kY); }
int JAMEntry::Width() const { return Field16(kWidth); }
int JAMEntry::Height() const { return Field16(kHeight); }
int JAMEntry::PaletteSize() const { return Field16(kPaletteSize); }

ByteView JAMEntry::Palette(int table) const {
  if (table < 1 || table > 4) return {};
  const std::int64_t size = PaletteSize();
  return clippedView(m_Tables, (table - 1) * size, size);
}

namespace {

// Every pixel of an item is a distinct canvas byte, so an item that claims more
// pixels than the canvas holds lies mostly off it; without this bound a file of
// a few KB could ask for 4 GB per item. A last row cut short still counts whole.
std::int64_t pixelsAllowed(ByteView canvas) {
  const auto rows = (static_cast<std::int64_t>(canvas.size()) + JAM::kCanvasWidth - 1) / JAM::kCanvasWidth;
  return std::min(JAMEntry::kMaxPixels, rows * JAM::kCanvasWidth);
}

}  // namespace

std::vector<std::uint8_t> JAMEntry::Remap(ByteView canvas) const {
  std::vector<std::uint8_t> pixels;
  const int width = Width();
  const int height = Height();
  if (std::int64_t{width} * height > pixelsAllowed(canvas)) return pixels;

  // Canvas byte -> game palette index. Bytes without an entry in a non-empty
  // Palette1 (not less than PaletteSize, or past the end of the file) give 0.
  std::array<std::uint8_t, 256> index{};
  if (PaletteSize() == 0) {
    for (std::size_t k = 0; k < index.size(); ++k) index[k] = static_cast<std::uint8_t>(k);
  } else {
    const ByteView palette1 = Palette(1);
    std::copy_n(palette1.begin(), std::min<std::size_t>(palette1.size(), index.size()), index.begin());
  }

  try {
    pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    return pixels;
  }
  // Columns past 255 are outside the canvas, not the start of the next row.
  const int x = X();
  const int columns = std::min(width, JAM::kCanvasWidth - x);
  for (int row = 0; row < height; ++row) {
    const ByteView canvasRow = clippedView(canvas, (std::int64_t{Y()} + row) * JAM::kCanvasWidth + x, columns);
    std::uint8_t* out = pixels.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(width);
    for (const std::uint8_t byte : canvasRow) *out++ = index[byte];
  }
  return pixels;
}

// ---------------------------------------------------------------------------

JAM::JAM(std::filesystem::path fullPath) : m_FullPath(std::move(fullPath)) {}

bool JAM::Load(bool report, Messages& messages, std::uint32_t seed) {
  if (m_IsLoaded) return true;
  BoundedRead content = readFileUpTo(m_FullPath, kMaxFileSize);
  if (content.status == BoundedRead::Status::Read)
    return LoadFromBytes(std::move(content.bytes), report, messages, seed);
  if (report) ReportUnread(content, messages);
  return false;
}

bool JAM::Open(bool report, Messages& messages, std::uint32_t seed) {
  if (IsOpen()) return true;
  m_Seed = seed;
  BoundedRead read;
  read.ceiling = kMaxFileSize;
  const auto size = fileSize(m_FullPath);
  std::optional<std::vector<std::uint8_t>> head;
  if (size) {
    read.size = *size;
    if (*size > kMaxFileSize)
      read.status = BoundedRead::Status::TooLarge;
    else if ((head = readFileStart(m_FullPath, kHeaderSize)))
      read.status = BoundedRead::Status::Read;
  }
  if (read.status != BoundedRead::Status::Read) {
    if (report) ReportUnread(read, messages);
    return false;
  }
  // The header is the start of the scrambled stream: descrambled alone it reads as in the whole file.
  ScrambleJamBytes(*head, seed);
  const int count = readU16(*head, 0).value_or(0);
  if (!TableFits(*size, count, report, messages)) return false;
  m_OpenedCount = count;
  m_OpenedTotalImageSize = readU16(*head, 2).value_or(0);
  m_Opened = true;
  return true;
}

bool JAM::EnsureLoaded() {
  SilentMessages silent;
  return Load(false, silent, m_Seed);
}

void JAM::ReportUnread(const BoundedRead& read, Messages& messages) const {
  if (read.status == BoundedRead::Status::Unreadable)
    messages.show(format("Failed to load JAM File (%s)", m_FullPath.string().c_str()));
  else
    messages.show(
        format("Failed to load JAM File (%s): %s", m_FullPath.string().c_str(), read.Refusal("a JAM file").c_str()));
}

bool JAM::TableFits(std::uintmax_t size, int count, bool report, Messages& messages) const {
  const std::int64_t tableEnd = kHeaderSize + std::int64_t{JAMEntry::kRecordSize} * count;
  if (fits(static_cast<std::size_t>(size), 0, tableEnd)) return true;
  if (report)
    messages.show(format("Failed to load JAM File (%s): its %ju bytes are too few for the header and %d items",
                         m_FullPath.string().c_str(), size, count));
  return false;
}

bool JAM::LoadFromBytes(std::vector<std::uint8_t> content, bool report, Messages& messages, std::uint32_t seed) {
  if (m_IsLoaded) return true;
  m_Seed = seed;
  m_Buffer = std::move(content);
  ScrambleJamBytes(m_Buffer, seed);
  try {
    m_IsLoaded = Parse(report, messages);
  } catch (const std::bad_alloc&) {
    if (report)
      messages.show(format("Failed to load JAM File (%s): there is not enough memory for its %d items",
                           m_FullPath.string().c_str(), readU16(m_Buffer, 0).value_or(0)));
  }
  if (!m_IsLoaded) {
    std::vector<std::uint32_t>().swap(m_TablesAt);
    std::vector<std::uint8_t>().swap(m_Buffer);
  }
  return m_IsLoaded;
}

bool JAM::Parse(bool report, Messages& messages) {
  const ByteView buffer(m_Buffer);
  const int count = readU16(buffer, 0).value_or(0);
  if (!TableFits(buffer.size(), count, report, messages)) return false;
  const std::int64_t tableEnd = kHeaderSize + std::int64_t{JAMEntry::kRecordSize} * count;

  // Tables past the end of the file start there: each view of them is cut short.
  m_TablesAt.reserve(static_cast<std::size_t>(count));
  std::int64_t running = tableEnd;
  for (int i = 0; i < count; ++i) {
    m_TablesAt.push_back(static_cast<std::uint32_t>(std::min(running, static_cast<std::int64_t>(buffer.size()))));
    running += std::int64_t{4} * readU16(buffer, kHeaderSize + i * JAMEntry::kRecordSize + kPaletteSize).value_or(0);
  }
  m_Canvas = clippedView(buffer, running, static_cast<std::int64_t>(buffer.size()));
  return true;
}

std::optional<JAMEntry> JAM::Entry(int i) const {
  if (i < 0 || i >= static_cast<int>(m_TablesAt.size())) return std::nullopt;
  const std::uint8_t* record = m_Buffer.data() + kHeaderSize + static_cast<std::size_t>(i) * JAMEntry::kRecordSize;
  const std::int64_t tablesSize =
      std::int64_t{4} * readU16(ByteView(record, JAMEntry::kRecordSize), kPaletteSize).value_or(0);
  return JAMEntry(record, clippedView(m_Buffer, m_TablesAt[static_cast<std::size_t>(i)], tablesSize));
}

int JAM::GetTotalImageSize() const {
  return m_IsLoaded ? readU16(m_Buffer, 2).value_or(0) : m_Opened ? m_OpenedTotalImageSize : 0;
}

int JAM::GetX(int i) const { return Entry(i) ? Entry(i)->X() : 0; }
int JAM::GetY(int i) const { return Entry(i) ? Entry(i)->Y() : 0; }
int JAM::GetWidth(int i) const { return Entry(i) ? Entry(i)->Width() : 0; }
int JAM::GetHeight(int i) const { return Entry(i) ? Entry(i)->Height() : 0; }
int JAM::GetIdx08(int i) const { return static_cast<std::int16_t>(Entry(i) ? Entry(i)->Field16(kIdx08) : 0); }
int JAM::GetIdx0A(int i) const { return Entry(i) ? Entry(i)->Field16(kIdx0A) : 0; }
int JAM::GetPalettePtr(int i) const { return Entry(i) ? Entry(i)->Field16(kPalettePtr) : 0; }
int JAM::GetIdx0E(int i) const { return Entry(i) ? Entry(i)->Field16(kIdx0E) : 0; }
int JAM::GetPaletteSize(int i) const { return Entry(i) ? Entry(i)->PaletteSize() : 0; }
int JAM::GetJamId(int i) const { return Entry(i) ? Entry(i)->Field16(kJamId) : 0; }
int JAM::GetIdx14(int i) const { return Entry(i) ? Entry(i)->Field16(kIdx14) : 0; }
int JAM::GetIdx16(int i) const { return Entry(i) ? Entry(i)->Field8(kIdx16) : 0; }
int JAM::GetIdx17(int i) const { return Entry(i) ? Entry(i)->Field8(kIdx17) : 0; }
int JAM::GetIdx18(int i, int k) const { return Entry(i) && k >= 0 && k < 8 ? Entry(i)->Field8(kIdx18 + k) : 0; }
ByteView JAM::GetPalette(int i, int table) const { return Entry(i) ? Entry(i)->Palette(table) : ByteView(); }

ByteView JAM::RemapItem(int i) {
  const std::optional<JAMEntry> entry = Entry(i);
  if (!entry) return {};
  ItemInUse& used = m_InUse[i];
  if (!used.remapped) {
    used.pixels = entry->Remap(m_Canvas);
    used.remapped = true;
  }
  return used.pixels;
}

bool JAM::MakeBitmap(Picture& target, int i) {
  target = Picture();
  EnsureLoaded();
  const std::optional<JAMEntry> entry = Entry(i);
  if (!entry) return false;
  const ByteView pixels = RemapItem(i);
  const int width = entry->Width();
  const int height = entry->Height();
  if (pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) return false;
  IndexedBitmap& bitmap = m_InUse[i].bitmap;
  bitmap.SetColourTable(gameColourTable());
  if (!bitmap.CreateFromRows(static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), pixels))
    return false;
  const bool made = bitmap.MakeDeviceBitmap(target);
  // The picture holds everything now; the rows would only double the memory.
  bitmap.FreePixels();
  return made;
}

void JAM::ReleaseItem(int i) { m_InUse.erase(i); }

int JAM::CanvasByte(int x, int y) const {
  if (x < 0 || x >= kCanvasWidth || y < 0 || y >= GetHeight(0)) return 0;
  const ByteView byte = clippedView(m_Canvas, std::int64_t{y} * kCanvasWidth + x, 1);
  return byte.empty() ? 0 : byte[0];
}

}  // namespace tavrel
