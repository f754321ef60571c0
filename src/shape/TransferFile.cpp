#include "shape/TransferFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/DecimalText.h"
#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "shape/Car.h"

namespace tavrel {
namespace {

// A connection end is stored in 16 bits; a wider value would change silently
// at the next write-back.
constexpr std::int32_t kLargestPointNumber = 0xFFFF;
// Longer files are not read. The largest car a shape image holds exports under
// 1 MB; numbers may be spread with any white space, so leave plenty of room.
constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{16} << 20;

bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Numbers separated by any white space; the line structure is not checked.
class NumberReader {
 public:
  explicit NumberReader(std::string_view text) : m_Text(text) {}

  std::optional<std::int32_t> Next() {
    while (m_Position < m_Text.size() && isWhiteSpace(m_Text[m_Position])) ++m_Position;
    const auto value = readDecimal(m_Text, m_Position);
    if (!value || (m_Position < m_Text.size() && !isWhiteSpace(m_Text[m_Position]))) return std::nullopt;
    return value;
  }

  bool AtEnd() const { return m_Position >= m_Text.size(); }
  int Line() const {
    return 1 +
           static_cast<int>(std::count(m_Text.begin(), m_Text.begin() + static_cast<std::ptrdiff_t>(m_Position), '\n'));
  }

 private:
  std::string_view m_Text;
  std::size_t m_Position = 0;
};

std::string fileName(const std::filesystem::path& path) { return path.string(); }

void reportUnreadable(const std::filesystem::path& path, const NumberReader& reader, Messages& messages) {
  if (reader.AtEnd())
    messages.show(format("The transfer file %s ends before all its numbers were read; the car was not changed.",
                         fileName(path).c_str()));
  else
    messages.show(
        format("The transfer file %s holds something other than a number at line %d; the car was not "
               "changed.",
               fileName(path).c_str(), reader.Line()));
}

// Reads `values` numbers per record into `records`; false at the first one missing.
template <std::size_t values>
bool readRecords(NumberReader& reader, std::vector<std::array<std::int32_t, values>>& records) {
  for (auto& record : records)
    for (std::int32_t& value : record) {
      const auto number = reader.Next();
      if (!number) return false;
      value = *number;
    }
  return true;
}

// The first connection end outside what a shape can store, if any.
std::optional<std::size_t> firstBadConnection(const std::vector<std::array<std::int32_t, 2>>& connections) {
  for (std::size_t i = 0; i < connections.size(); ++i)
    for (std::int32_t end : connections[i])
      if (end < 0 || end > kLargestPointNumber) return i;
  return std::nullopt;
}

void takePoints(Car& car, const std::vector<std::array<std::int32_t, 3>>& points) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    Vertex& point = car.m_Points[i];
    point.m_X = points[i][0];
    point.m_Y = points[i][1];
    point.m_Z = points[i][2];
  }
}

void takeConnections(Car& car, const std::vector<std::array<std::int32_t, 2>>& connections) {
  for (std::size_t i = 0; i < connections.size(); ++i) {
    car.m_Connections[i].m_From = connections[i][0];
    car.m_Connections[i].m_To = connections[i][1];
  }
}

}  // namespace

bool ExportCtf(const std::filesystem::path& path, const Car& car, Messages& messages) {
  std::string text = format("%d\n", car.m_PointCount);
  for (int i = 0; i < car.m_PointCount; ++i) {
    const Vertex& point = car.m_Points[static_cast<std::size_t>(i)];
    text += format("%d %d %d\n", point.m_X, point.m_Y, point.m_Z);
  }
  text += format("%d\n", car.m_ConnectionCount);
  for (int i = 0; i < car.m_ConnectionCount; ++i) {
    const Point3D& connection = car.m_Connections[static_cast<std::size_t>(i)];
    text += format("%d %d\n", connection.m_From, connection.m_To);
  }
  const WriteResult written = writeFileAtomically(path, text);
  if (!written) messages.show(WriteFailureMessage(written, "Cannot create the transfer file"));
  return static_cast<bool>(written);
}

CtfImport ImportCtf(const std::filesystem::path& path, Car& car, Messages& messages) {
  const BoundedRead file = readFileUpTo(path, kMaxFileSize);
  if (file.status == BoundedRead::Status::Unreadable) {
    messages.show(format("Cannot open the transfer file %s", fileName(path).c_str()));
    return CtfImport::Refused;
  }
  if (file.status != BoundedRead::Status::Read) {
    messages.show(format("The transfer file %s was not read: %s; the car was not changed.", fileName(path).c_str(),
                         file.Refusal("a transfer file").c_str()));
    return CtfImport::Refused;
  }
  NumberReader reader(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));

  const auto pointCount = reader.Next();
  if (!pointCount) {
    reportUnreadable(path, reader, messages);
    return CtfImport::Refused;
  }
  if (*pointCount != car.m_PointCount) {
    messages.show("Not the right number of Verticies");
    return CtfImport::Refused;
  }
  std::vector<std::array<std::int32_t, 3>> points(static_cast<std::size_t>(*pointCount));
  const auto connectionCount = readRecords(reader, points) ? reader.Next() : std::nullopt;
  if (!connectionCount) {
    reportUnreadable(path, reader, messages);
    return CtfImport::Refused;
  }
  if (*connectionCount != car.m_ConnectionCount) {
    takePoints(car, points);
    messages.show("Not the right number of Connections");
    return CtfImport::PointsOnly;
  }
  std::vector<std::array<std::int32_t, 2>> connections(static_cast<std::size_t>(*connectionCount));
  if (!readRecords(reader, connections)) {
    reportUnreadable(path, reader, messages);
    return CtfImport::Refused;
  }
  if (const auto bad = firstBadConnection(connections)) {
    // Numbered from 1, as the tree lists connections.
    messages.show(
        format("Connection v[%zu] of the transfer file %s names a point outside 0 to %d; the car was not "
               "changed.",
               *bad + 1, fileName(path).c_str(), kLargestPointNumber));
    return CtfImport::Refused;
  }
  takePoints(car, points);
  takeConnections(car, connections);
  return CtfImport::Imported;
}

}  // namespace tavrel
