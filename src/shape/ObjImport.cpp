#include "shape/ObjImport.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "shape/Object3D.h"

namespace tavrel {
namespace {

// An edited car is a few hundred kilobytes; a modeller's file with normals and
// faces for every point stays far below this.
constexpr std::uintmax_t kLongestObjFile = std::uintmax_t{64} << 20;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The whitespace-separated words of a line.
std::vector<std::string_view> wordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  while (!(line = trimmed(line)).empty()) {
    std::size_t end = 0;
    while (end < line.size() && !isBlank(line[end])) ++end;
    words.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
  return words;
}

// A whole word as a finite number, in any locale.
std::optional<double> numberOf(std::string_view word) {
  if (!word.empty() && word.front() == '+') word.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

// "v X Y Z", optionally followed by a weight or a colour, all numbers.
std::optional<std::string> readVertex(const std::vector<std::string_view>& words, int line, PointValues& point) {
  if (words.size() != 4 && words.size() != 5 && words.size() != 7)
    return format("line %d is not a vertex of three coordinates", line);
  int* const coordinates[3] = {&point.x, &point.y, &point.z};
  for (std::size_t k = 1; k < words.size(); ++k) {
    const std::optional<double> value = numberOf(words[k]);
    if (!value) return format("line %d: \"%s\" is not a number", line, std::string(words[k]).c_str());
    if (k > 3) continue;
    const double rounded = std::round(*value);
    if (std::fabs(rounded) > kLargestCoordinate)
      return format("line %d: %s is outside the range a point holds (-%d to %d)", line, std::string(words[k]).c_str(),
                    kLargestCoordinate, kLargestCoordinate);
    *coordinates[k - 1] = static_cast<int>(rounded);
  }
  return std::nullopt;
}

}  // namespace

ObjPoints ReadObjPoints(std::string_view text) {
  ObjPoints read;
  int line = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view row = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++line;
    const std::vector<std::string_view> words = wordsOf(row);
    if (words.empty() || words.front() != "v") continue;
    PointValues point;
    if (auto refusal = readVertex(words, line, point)) {
      read.points.clear();
      read.refusal = std::move(*refusal);
      return read;
    }
    read.points.push_back(point);
  }
  return read;
}

bool ImportObjPoints(const std::filesystem::path& path, Object3D& shape, Messages& messages) {
  const std::string name = path.string();
  const BoundedRead file = readFileUpTo(path, kLongestObjFile);
  if (file.status != BoundedRead::Status::Read) {
    const std::string why =
        file.status == BoundedRead::Status::Unreadable ? std::string() : ": " + file.Refusal("a WaveFront file");
    messages.show(format("Cannot read the WaveFront file %s%s; nothing was changed.", name.c_str(), why.c_str()));
    return false;
  }
  const ObjPoints read =
      ReadObjPoints(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
  if (!read.refusal.empty()) {
    messages.show(format("%s: %s; nothing was changed.", name.c_str(), read.refusal.c_str()));
    return false;
  }
  const int count = std::min(shape.m_PointCount, static_cast<int>(shape.m_Points.size()));
  if (static_cast<int>(read.points.size()) != count) {
    messages.show(format("%s has %d vertices, but the shape has %d points; nothing was changed.", name.c_str(),
                         static_cast<int>(read.points.size()), count));
    return false;
  }
  for (int i = 0; i < count; ++i) {
    Vertex& point = shape.m_Points[static_cast<std::size_t>(i)];
    const PointValues& taken = read.points[static_cast<std::size_t>(i)];
    point.m_X = taken.x;
    point.m_Y = taken.y;
    point.m_Z = taken.z;
  }
  return true;
}

}  // namespace tavrel
