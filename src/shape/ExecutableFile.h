#pragma once
// The game's executable, opened by one operation and closed when it ends, and the
// in-place patch every write into it goes through.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "base/Bytes.h"

namespace tavrel {

class Messages;

// "Cannot find ZAV.EXE  at path="..." or (ZAV.EXE may be read only!)": shown with
// the stop icon whenever the executable cannot be opened as needed.
std::string MissingExecutableMessage(const std::filesystem::path& path);

class ExecutableFile {
 public:
  enum class Mode { Read, Update };

  // Opens an existing regular file (never creating or truncating it); on failure
  // shows the missing-executable message and gives nothing. An executable opened
  // for update is locked against every other patch until it is closed, patches
  // of this program included: one opened for update here must be closed before
  // PatchExecutable is called on it, or the patch waits for ever.
  static std::optional<ExecutableFile> Open(const std::filesystem::path& path, Mode mode, Messages& messages);
  // True when the executable could be patched now: it opens for update and no
  // other patch holds it. Otherwise false, after the missing-executable message
  // or one saying that another patch is under way. Nothing waits.
  static bool CanPatch(const std::filesystem::path& path, Messages& messages);

  ExecutableFile(ExecutableFile&& other) noexcept;
  ExecutableFile& operator=(ExecutableFile&& other) noexcept;
  ExecutableFile(const ExecutableFile&) = delete;
  ExecutableFile& operator=(const ExecutableFile&) = delete;
  ~ExecutableFile();

  std::int64_t Size() const { return m_Size; }
  // True when the file has the byte at `position`: only then can a region be found there.
  bool Holds(std::int64_t position) const { return position >= 0 && position < m_Size; }
  // True when the whole region lies inside the file.
  bool HoldsRegion(std::int64_t position, std::size_t size) const {
    return fits(static_cast<std::size_t>(m_Size), position, static_cast<std::int64_t>(size));
  }
  // Reads the bytes at `position` into `into`, as many as the file has; the rest
  // of `into` is left alone. Gives the number read.
  std::size_t ReadAt(std::int64_t position, MutableByteView into) const;
  bool WriteAt(std::int64_t position, ByteView bytes);
  // Copies the whole file to `to` and flushes the copy to the disk; on failure
  // no copy is left behind.
  std::error_code CopyTo(const std::filesystem::path& to) const;

 private:
  ExecutableFile(int descriptor, std::int64_t size) : m_Descriptor(descriptor), m_Size(size) {}

  int m_Descriptor = -1;
  std::int64_t m_Size = 0;
};

// Why a patch wrote nothing (or, for Incomplete, not all it should).
enum class PatchFailure {
  None,
  InvalidSource,  // what was to be written is not a valid shape, or its file is of the wrong size
  CannotOpen,     // the executable is missing or cannot be opened for update
  NotReachable,   // the file ends before the region's last byte
  WrongPlace,     // no shape image where the patch level puts it: most likely the wrong patch level
  NoBackup,       // the backup cannot be made, or something else is in its place
  Incomplete,     // a write failed or the region does not read back as written
};

// What a patch did to one region of the executable.
struct PatchResult {
  bool ok = false;               // the region now holds the wanted bytes, read back to prove it
  std::size_t bytesChanged = 0;  // bytes that differed and were written
  std::size_t writes = 0;        // one write per run of differing bytes
  PatchFailure failure = PatchFailure::None;

  static PatchResult Failed(PatchFailure why) { return {false, 0, 0, why}; }
};

// Bytes to put at an offset inside a region.
struct PatchPiece {
  std::size_t offset = 0;
  std::vector<std::uint8_t> bytes;
};

// A shape image that must be where the patch level puts it before a region is
// written: the region's own shape, or the car that the cameras and the RCR
// distances of the same patch level are found with. Its magic number is checked
// as the decoder checks it.
struct RequiredShape {
  std::int64_t position = 0;
  std::string name;  // "car", "wheel", "helmet", "cockpit", "steering wheel"
};

// One region of the executable to patch: `size` bytes at `position`, which the
// file must hold whole. The pieces say what changes; the rest of the region keeps
// what the file holds.
struct PatchRegion {
  std::int64_t position = 0;
  std::size_t size = 0;
  std::vector<PatchPiece> pieces;
  std::string notFoundMessage;  // shown when the file does not hold the region whole
  std::optional<RequiredShape> requiredShape;
};

// A region whose every byte is given.
PatchRegion WholeRegion(std::int64_t position, std::vector<std::uint8_t> bytes, std::string notFoundMessage,
                        std::optional<RequiredShape> requiredShape);

// Patches the regions in order, all or none, with the executable locked against
// other patches from the first read to the last read-back. Every region is
// checked first (inside the file, its required shape in place); then, when any
// byte is to change, the executable is copied to its backup (BackupPath); only
// then are the runs of differing bytes written, one write each, and each region
// read back. A later region wins where regions overlap. A failed check writes
// nothing and gives every region that failure, after one message.
std::vector<PatchResult> PatchExecutable(const std::filesystem::path& path, std::span<const PatchRegion> regions,
                                         Messages& messages);

// "<executable's name>.bak" beside it.
std::filesystem::path BackupPath(const std::filesystem::path& executable);

}  // namespace tavrel
