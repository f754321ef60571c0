#include "shape/ObjExport.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "shape/Car.h"

namespace tavrel {
namespace {

// Six decimals and a point whatever the process's locale (a GUI toolkit sets
// it from the user's environment, where %f may write a comma).
void appendReal(std::string& text, std::int32_t value) {
  char digits[64];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, static_cast<double>(value), std::chars_format::fixed, 6);
  text.append(digits, result.ptr);
}

std::string objText(const Car& car) {
  std::string text;
  for (int i = 0; i < car.m_PointCount; ++i) {
    const Vertex& point = car.m_Points[static_cast<std::size_t>(i)];
    text += 'v';
    for (std::int32_t value : {point.m_X, point.m_Y, point.m_Z}) {
      text += ' ';
      appendReal(text, value);
    }
    text += '\n';
  }
  // Every connection becomes a face; vertex numbers count from 1.
  std::vector<bool> used(static_cast<std::size_t>(std::max(car.m_PointCount, 0)));
  for (int i = 0; i < car.m_ConnectionCount; ++i) {
    const Point3D& connection = car.m_Connections[static_cast<std::size_t>(i)];
    const long long from = std::int64_t{connection.m_From} + 1;
    const long long to = std::int64_t{connection.m_To} + 1;
    text += format("f %lld %lld %lld\n", from, to, from);
    for (const long long end : {from, to})
      if (end >= 1 && end <= car.m_PointCount) used[static_cast<std::size_t>(end - 1)] = true;
  }
  // A modeller drops a vertex nothing uses and numbers the rest anew, so a
  // point no connection uses gets a line of its own: the file comes back from
  // the modeller with every point, in order.
  for (std::size_t i = 0; i < used.size(); ++i)
    if (!used[i]) text += format("l %zu %zu\n", i + 1, i + 1);
  return text;
}

}  // namespace

bool ExportObj(const std::filesystem::path& path, const Car& car, Messages& messages) {
  const WriteResult written = writeFileAtomically(path, objText(car));
  if (!written) messages.show(WriteFailureMessage(written, "Cannot create the WaveFront file"));
  return static_cast<bool>(written);
}

}  // namespace tavrel
