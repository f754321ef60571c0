#include "textures/CarMappingTable.h"

#include <optional>
#include <span>

#include "base/DecimalText.h"
#include "base/Files.h"
#include "base/Trace.h"
#include "textures/BuiltInMapping.h"

namespace tavrel {
namespace {

constexpr std::size_t kMaxLineLength = 511;
// Longer files are not read. Real ones are a few KB; a line of the longest
// length for each of the 390 positions makes 200 KB.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 20;

// A line of texture.cfg, fully checked before anything of the table changes.
struct MappingLine {
  int position = 0;
  std::int32_t texture = 0;
  int cornerCount = 0;
  std::array<MappingCorner, MappingEntry::kMaxCorners> corners{};
};

class LineReader {
 public:
  explicit LineReader(std::string_view line) : m_Line(line) {}

  // A number; blanks and tabs may stand before it.
  std::optional<std::int32_t> Number() {
    while (m_Position < m_Line.size() && (m_Line[m_Position] == ' ' || m_Line[m_Position] == '\t')) ++m_Position;
    return readDecimal(m_Line, m_Position);
  }

  // A comma right after the number before it: a blank may not stand there.
  bool Comma() {
    if (m_Position >= m_Line.size() || m_Line[m_Position] != ',') return false;
    ++m_Position;
    return true;
  }

 private:
  std::string_view m_Line;
  std::size_t m_Position = 0;
};

// "position, texture, count" and then count pairs "u, v"; a u of -1 ends the
// pairs early and text after the last pair read is ignored. A line that breaks
// this (too short, a blank before a comma, a position outside the table, more
// than 20 corners, fewer pairs than its count, a number beyond 32 bits, more
// than 511 characters) is skipped whole: a half-read line would leave an entry
// with a mix of old and new corners that nobody asked for. Empty lines and the
// comment lines ("//...", "#...") are skipped by the same rule. A count of 0
// or below maps the position and its slot without touching a corner.
std::optional<MappingLine> parseMappingLine(std::string_view text) {
  if (text.size() > kMaxLineLength) return std::nullopt;
  LineReader reader(text);
  const auto position = reader.Number();
  if (!position || !reader.Comma()) return std::nullopt;
  const auto texture = reader.Number();
  if (!texture || !reader.Comma()) return std::nullopt;
  const auto count = reader.Number();
  if (!count || *position < 0 || *position >= CarMappingTable::kEntryCount || *count > MappingEntry::kMaxCorners)
    return std::nullopt;

  MappingLine line{*position, *texture};
  for (int k = 0; k < *count; ++k) {
    if (!reader.Comma()) return std::nullopt;
    const auto u = reader.Number();
    if (!u) return std::nullopt;
    if (*u == -1) break;
    if (!reader.Comma()) return std::nullopt;
    const auto v = reader.Number();
    if (!v) return std::nullopt;
    line.corners[static_cast<std::size_t>(line.cornerCount++)] = {*u, *v};
  }
  return line;
}

// Corners from the first on; a u of -1 stops, and the corners from there keep
// what they held.
void storeCorners(MappingEntry& entry, std::span<const MappingCorner> corners) {
  for (std::size_t k = 0; k < corners.size() && corners[k].u != -1; ++k) {
    entry.u[k] = corners[k].u;
    entry.v[k] = corners[k].v;
  }
}

// The line ends at a line feed, with a carriage return before it taken as part
// of the line end; the last line needs no line feed.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

}  // namespace

// A file that is refused counts as one that cannot be opened.
std::string CarMappingTable::ReadTextureCfg(const std::filesystem::path& directory) {
  const std::filesystem::path path = directory / "texture.cfg";
  const BoundedRead file = readFileUpTo(path, kMaxFileSize);
  if (file.status == BoundedRead::Status::Read) {
    ReadTextureCfgText(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    return {};
  }
  ApplyBuiltInMapping();
  if (file.status == BoundedRead::Status::Unreadable) return {};
  std::string refusal = path.string() + " not read, the built-in mapping applies: " + file.Refusal("a texture.cfg");
  trace("%s\n", refusal.c_str());
  return refusal;
}

void CarMappingTable::ReadTextureCfgText(std::string_view text) {
  ClearMappedFlags();
  forEachLine(text, [this](std::string_view lineText) {
    const auto line = parseMappingLine(lineText);
    if (!line) return;
    MappingEntry& entry = m_Entries[static_cast<std::size_t>(line->position)];
    entry.mapped = true;
    entry.texture = line->texture;
    storeCorners(entry, std::span(line->corners).first(static_cast<std::size_t>(line->cornerCount)));
  });
}

void CarMappingTable::ApplyBuiltInMapping() {
  ClearMappedFlags();
  for (const BuiltInMappingEntry& builtIn : kBuiltInMapping) {
    MappingEntry& entry = m_Entries[static_cast<std::size_t>(builtIn.position)];
    entry.mapped = true;
    storeCorners(entry, std::span(builtIn.corners).first(static_cast<std::size_t>(builtIn.count)));
  }
}

void CarMappingTable::ClearMappedFlags() {
  for (MappingEntry& entry : m_Entries) entry.mapped = false;
}

bool CarMappingTable::IsMapped(int position) const {
  return position >= 0 && position < kEntryCount && m_Entries[static_cast<std::size_t>(position)].mapped;
}

MappingEntry CarMappingTable::GetMapping(int position) const {
  if (position < 0 || position >= kEntryCount) return {};
  return m_Entries[static_cast<std::size_t>(position)];
}

}  // namespace tavrel
