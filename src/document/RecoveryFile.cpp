#include "document/RecoveryFile.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "base/Messages.h"
#include "document/ElementValues.h"
#include "shape/CameraFile.h"
#include "shape/PartFile.h"
#include "shape/ShapeFile.h"

namespace tavrel {
namespace {

constexpr std::string_view kSignature = "Tavrel recovery 1\n";
constexpr std::string_view kExtension = ".recovery";
constexpr std::uint32_t kLongestText = 4096;
constexpr std::array<ShapeKind, 5> kShapes = {ShapeKind::Car, ShapeKind::Wheel, ShapeKind::Helmet, ShapeKind::Cockpit,
                                              ShapeKind::SteeringWheel};

void appendText(std::vector<std::uint8_t>& out, std::string_view text) {
  appendU32(out, static_cast<std::uint32_t>(text.size()));
  out.insert(out.end(), text.begin(), text.end());
}

// Reads the file front to back; every read checks what is left.
class Reader {
 public:
  explicit Reader(ByteView bytes) : m_Bytes(bytes) {}
  std::optional<ByteView> Take(std::size_t count) {
    if (count > m_Bytes.size()) return std::nullopt;
    const ByteView taken = m_Bytes.first(count);
    m_Bytes = m_Bytes.subspan(count);
    return taken;
  }
  std::optional<std::uint32_t> U32() {
    const auto bytes = Take(4);
    return bytes ? readU32(*bytes, 0) : std::nullopt;
  }
  std::optional<std::string> Text() {
    const auto length = U32();
    const auto bytes = length && *length <= kLongestText ? Take(*length) : std::nullopt;
    return bytes ? std::optional<std::string>(std::in_place, bytes->begin(), bytes->end()) : std::nullopt;
  }
  bool AtEnd() const { return m_Bytes.empty(); }

 private:
  ByteView m_Bytes;
};

// A shape's image as its file holds it: the whole image for the car, the part file's bytes for a part.
bool readShape(Reader& in, Car& shape, ShapeKind kind) {
  const auto name = in.Text();
  const auto image = name ? in.Take(ShapeFileLength(kind)) : std::nullopt;
  if (!image) return false;
  shape.SetName(*name);
  std::ranges::copy(*image, shape.m_Image.begin());
  SilentMessages silent;
  shape.Decode(tableOffset(kind), silent);
  return shape.m_Valid != 0;
}

}  // namespace

std::vector<std::uint8_t> RecoveryBytes(Car& car, const std::filesystem::path& file, const std::string& name) {
  std::vector<std::uint8_t> out(kSignature.begin(), kSignature.end());
  appendText(out, file.string());
  appendText(out, name);
  for (ShapeKind kind : kShapes) {
    Car* shape = ShapeOf(car, kind);
    out.push_back(shape != nullptr ? 1 : 0);
    if (shape == nullptr) continue;
    appendText(out, shape->GetName());
    shape->WriteBack(tableOffset(kind));
    out.insert(out.end(), shape->m_Image.begin(), shape->m_Image.begin() + std::ptrdiff_t(ShapeFileLength(kind)));
  }
  for (const Camera& camera : car.m_Cameras) out.push_back(camera.m_Loaded != 0 ? 1 : 0);
  const auto cameras = CameraFileBytes(car);
  out.insert(out.end(), cameras.begin(), cameras.end());
  return out;
}

std::optional<RecoveredCar> ReadRecovery(ByteView bytes) {
  Reader in(bytes);
  const auto signature = in.Take(kSignature.size());
  if (!signature || !std::ranges::equal(*signature, kSignature)) return std::nullopt;
  RecoveredCar recovered;
  const auto file = in.Text();
  const auto name = file ? in.Text() : std::nullopt;
  if (!name) return std::nullopt;
  recovered.file = *file;
  recovered.name = *name;
  recovered.car = std::make_unique<Car>();
  for (ShapeKind kind : kShapes) {
    const auto present = in.Take(1);
    if (!present || (*present)[0] > 1 || (kind == ShapeKind::Car && (*present)[0] == 0)) return std::nullopt;
    if ((*present)[0] == 0) continue;
    Car* shape = recovered.car.get();
    if (const PartFileKind* part = FindPartFileKind(kind)) {
      (*recovered.car).*(part->part) = std::make_unique<Car>();
      shape = part->PartOf(*recovered.car);
    }
    if (!readShape(in, *shape, kind)) return std::nullopt;
  }
  const auto loaded = in.Take(Car::kCameraCount);
  const auto cameras = loaded ? in.Take(kCameraFileSize) : std::nullopt;
  if (!cameras || !in.AtEnd()) return std::nullopt;
  TakeCameraBytes(*recovered.car, *cameras);
  for (std::size_t i = 0; i < recovered.car->m_Cameras.size(); ++i) recovered.car->m_Cameras[i].m_Loaded = (*loaded)[i];
  return recovered;
}

// "<process id>-<serial>.recovery": the process id tells a running program's
// files from those of one that is gone.
std::filesystem::path NewRecoveryPath(const std::filesystem::path& folder) {
  static std::atomic<int> serial = 0;
  return folder / (std::to_string(::getpid()) + "-" + std::to_string(++serial) + std::string(kExtension));
}

std::vector<std::filesystem::path> OrphanedRecoveryFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> orphans;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::filesystem::path& path = entry.path();
    if (path.extension() != kExtension || !entry.is_regular_file(error)) continue;
    const std::string stem = path.stem().string();
    const pid_t owner = static_cast<pid_t>(std::atoll(stem.substr(0, stem.find('-')).c_str()));
    const bool running = owner > 0 && (::kill(owner, 0) == 0 || errno == EPERM);
    if (!running) orphans.push_back(path);
  }
  std::ranges::sort(orphans);
  return orphans;
}

}  // namespace tavrel
