#include "shape/RcrPatches.h"

#include <span>
#include <vector>

#include "base/Bytes.h"

namespace tavrel {
namespace {

constexpr std::size_t kValueSize = 4;

bool readValues(const std::filesystem::path& path, std::int64_t offset, std::span<std::int32_t> values,
                Messages& messages) {
  auto file = ExecutableFile::Open(path, ExecutableFile::Mode::Read, messages);
  if (!file) return false;
  std::vector<std::uint8_t> bytes(values.size() * kValueSize);
  bytes.resize(file->ReadAt(offset, bytes));
  for (std::size_t i = 0; i < values.size(); ++i)
    values[i] = static_cast<std::int32_t>(readU32(bytes, static_cast<std::int64_t>(i * kValueSize)).value_or(0));
  return true;
}

PatchResult writeValues(const std::filesystem::path& path, std::int64_t offset, std::span<const std::int32_t> values,
                        const char* notFound, Messages& messages) {
  return PatchExecutable(
      path, offset, values.size() * kValueSize,
      [&](MutableByteView wanted) {
        for (std::size_t i = 0; i < values.size(); ++i)
          writeU32(wanted, static_cast<std::int64_t>(i * kValueSize), static_cast<std::uint32_t>(values[i]));
      },
      notFound, messages);
}

}  // namespace

std::optional<RcrDistances> ReadRcrDistances(const std::filesystem::path& path, std::int64_t blockOffset,
                                             Messages& messages) {
  RcrDistances distances{};
  if (!readValues(path, blockOffset, distances, messages)) return std::nullopt;
  return distances;
}

PatchResult WriteRcrDistances(const std::filesystem::path& path, std::int64_t blockOffset,
                              const RcrDistances& distances, Messages& messages) {
  return writeValues(path, blockOffset, distances, "Failed to find RCR Distance Data", messages);
}

std::optional<std::int32_t> ReadTriggerDistance(const std::filesystem::path& path, std::int64_t offset,
                                                Messages& messages) {
  std::int32_t distance = 0;
  if (!readValues(path, offset, std::span(&distance, 1), messages)) return std::nullopt;
  return distance;
}

PatchResult WriteTriggerDistance(const std::filesystem::path& path, std::int64_t offset, std::int32_t distance,
                                 Messages& messages) {
  return writeValues(path, offset, std::span(&distance, 1), "Failed to find RCR Trigger Data", messages);
}

}  // namespace tavrel
