#include "shape/RcrPatches.h"

#include <span>
#include <vector>

#include "base/Bytes.h"
#include "shape/ExePositions.h"

namespace tavrel {
namespace {

constexpr std::size_t kValueSize = 4;

bool readValues(const std::filesystem::path& path, std::int64_t offset, std::span<ExeValue> values,
                Messages& messages) {
  auto file = ExecutableFile::Open(path, ExecutableFile::Mode::Read, messages);
  if (!file) return false;
  std::vector<std::uint8_t> bytes(values.size() * kValueSize);
  bytes.resize(file->ReadAt(offset, bytes));
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (const auto value = readU32(bytes, static_cast<std::int64_t>(i * kValueSize)))
      values[i] = {static_cast<std::int32_t>(*value), true};
  }
  return true;
}

PatchResult writeValues(const std::filesystem::path& path, std::int64_t offset, std::span<const std::int32_t> values,
                        const char* notFound, std::optional<RequiredShape> requiredShape, Messages& messages) {
  std::vector<std::uint8_t> bytes;
  for (const std::int32_t value : values) appendU32(bytes, static_cast<std::uint32_t>(value));
  const PatchRegion region = WholeRegion(offset, std::move(bytes), notFound, std::move(requiredShape));
  return PatchExecutable(path, std::span(&region, 1), messages).front();
}

}  // namespace

std::optional<RcrValues> ReadRcrValues(const std::filesystem::path& path, std::int64_t blockOffset,
                                       Messages& messages) {
  RcrValues values{};
  if (!readValues(path, blockOffset, values, messages)) return std::nullopt;
  return values;
}

std::optional<RcrDistances> ReadRcrDistances(const std::filesystem::path& path, std::int64_t blockOffset,
                                             Messages& messages) {
  const auto values = ReadRcrValues(path, blockOffset, messages);
  if (!values) return std::nullopt;
  RcrDistances distances{};
  for (std::size_t i = 0; i < distances.size(); ++i) distances[i] = (*values)[i].value;
  return distances;
}

PatchResult WriteRcrDistances(const std::filesystem::path& path, int patchLevel, const RcrDistances& distances,
                              Messages& messages) {
  return writeValues(path, RcrBlockOffset(patchLevel), distances, "Failed to find RCR Distance Data",
                     RequiredShape{PositionsForPatchLevel(patchLevel).car, "car"}, messages);
}

std::optional<ExeValue> ReadTriggerValue(const std::filesystem::path& path, std::int64_t offset, Messages& messages) {
  ExeValue value;
  if (!readValues(path, offset, std::span(&value, 1), messages)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ReadTriggerDistance(const std::filesystem::path& path, std::int64_t offset,
                                                Messages& messages) {
  const auto value = ReadTriggerValue(path, offset, messages);
  if (!value) return std::nullopt;
  return value->value;
}

// The trigger distance lies at the same place under every patch level, so there
// is no shape of a level to look for.
PatchResult WriteTriggerDistance(const std::filesystem::path& path, std::int64_t offset, std::int32_t distance,
                                 Messages& messages) {
  return writeValues(path, offset, std::span(&distance, 1), "Failed to find RCR Trigger Data", std::nullopt, messages);
}

}  // namespace tavrel
