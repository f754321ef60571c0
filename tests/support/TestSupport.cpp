#include "support/TestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <ostream>
#include <random>

#include <gtest/gtest.h>

#include "shape/CameraFile.h"
#include "shape/PartFile.h"

namespace tavrel {
void PrintTo(const ShapeProblem& problem, std::ostream* out) {
  *out << "{" << static_cast<int>(problem.severity) << ", \"" << problem.text << "\"}";
}
}  // namespace tavrel

namespace tavrel::test {

std::vector<std::string> RecordingMessages::texts() const {
  std::vector<std::string> result;
  for (const Message& message : shown) result.push_back(message.text);
  return result;
}

bool ScriptedEditorHost::EditPoint(PointValues& values, const ViewCenter&) {
  pointsShown.push_back(values);
  if (confirm) values = point;
  return confirm;
}

bool ScriptedEditorHost::EditCamera(CameraFields& fields) {
  camerasShown.push_back(fields);
  if (confirm) fields = camera;
  return confirm;
}

bool ScriptedEditorHost::EditDataValue(int& value) {
  dataValuesShown.push_back(value);
  if (confirm) value = dataValue;
  return confirm;
}

std::unique_ptr<Car> DecodedCar(const ShapeRecipe& recipe, Messages& messages) {
  auto car = std::make_unique<Car>();
  const std::vector<std::uint8_t> image = BuildShapeImage(recipe);
  EXPECT_LE(image.size(), Car::kImageSize);
  std::copy_n(image.begin(), std::min(image.size(), Car::kImageSize), car->m_Image.begin());
  car->Decode(recipe.tableOffset, messages);
  return car;
}

std::unique_ptr<Car> DecodedCar(const ShapeRecipe& recipe) {
  RecordingMessages messages;
  auto car = DecodedCar(recipe, messages);
  EXPECT_TRUE(messages.shown.empty());
  return car;
}

std::vector<std::uint8_t> CarBytes(Car& car) {
  car.WriteBack(tableOffset(ShapeKind::Car));
  std::vector<std::uint8_t> bytes(car.m_Image.begin(), car.m_Image.end());
  for (const PartFileKind& kind : kPartFileKinds)
    if (Car* part = kind.PartOf(car)) {
      const auto file = PartFileBytes(*part, kind);
      bytes.insert(bytes.end(), file.begin(), file.end());
    }
  const auto cameras = CameraFileBytes(car);
  bytes.insert(bytes.end(), cameras.begin(), cameras.end());
  return bytes;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Equal blocks are skipped whole: the files are executable-sized.
std::vector<std::size_t> ChangedOffsets(const std::vector<std::uint8_t>& before,
                                        const std::vector<std::uint8_t>& after) {
  EXPECT_EQ(before.size(), after.size());
  const std::size_t size = std::min(before.size(), after.size());
  constexpr std::size_t kBlock = 4096;
  std::vector<std::size_t> at;
  for (std::size_t block = 0; block < size; block += kBlock) {
    const std::size_t end = std::min(size, block + kBlock);
    if (std::memcmp(before.data() + block, after.data() + block, end - block) == 0) continue;
    for (std::size_t i = block; i < end; ++i)
      if (before[i] != after[i]) at.push_back(i);
  }
  return at;
}

void ExpectChangesOnlyIn(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                         const std::vector<std::pair<std::int64_t, std::int64_t>>& ranges) {
  const std::vector<std::size_t> changed = ChangedOffsets(before, after);
  EXPECT_FALSE(changed.empty());
  for (const std::size_t at : changed) {
    const auto offset = static_cast<std::int64_t>(at);
    EXPECT_TRUE(
        std::ranges::any_of(ranges, [offset](auto range) { return offset >= range.first && offset < range.second; }))
        << "byte " << offset << " changed";
  }
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

testing::AssertionResult Near(Vec3 actual, Vec3 expected) {
  constexpr double kTolerance = 1e-9;
  const Vec3 off = actual - expected;
  if (std::abs(off.x) <= kTolerance && std::abs(off.y) <= kTolerance && std::abs(off.z) <= kTolerance)
    return testing::AssertionSuccess();
  return testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not ("
                                     << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

InFolder::InFolder(const std::filesystem::path& folder) : m_Previous(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

InFolder::~InFolder() { std::filesystem::current_path(m_Previous); }

}  // namespace tavrel::test
