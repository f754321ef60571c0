#pragma once
// The game's executable, opened by one operation and closed when it ends, and the
// in-place patch every write into it goes through.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "base/Bytes.h"

namespace tavrel {

class Messages;

// "Cannot find ZAV.EXE  at path="..." or (ZAV.EXE may be read only!)": shown with
// the stop icon whenever the executable cannot be opened as needed.
std::string MissingExecutableMessage(const std::filesystem::path& path);

class ExecutableFile {
 public:
  enum class Mode { Read, Update };

  // Opens an existing executable (never creating or truncating it); on failure
  // shows the missing-executable message and gives nothing.
  static std::optional<ExecutableFile> Open(const std::filesystem::path& path, Mode mode, Messages& messages);

  std::int64_t Size() const { return m_Size; }
  // True when the file has the byte at `position`: only then can a region be found there.
  bool Holds(std::int64_t position) const { return position >= 0 && position < m_Size; }
  // True when the whole region lies inside the file.
  bool HoldsRegion(std::int64_t position, std::size_t size) const {
    return fits(static_cast<std::size_t>(m_Size), position, static_cast<std::int64_t>(size));
  }
  // Reads the bytes at `position` into `into`, as many as the file has; the rest
  // of `into` is left alone. Gives the number read.
  std::size_t ReadAt(std::int64_t position, MutableByteView into);
  bool WriteAt(std::int64_t position, ByteView bytes);

 private:
  ExecutableFile(std::fstream file, std::int64_t size) : m_File(std::move(file)), m_Size(size) {}

  std::fstream m_File;
  std::int64_t m_Size;
};

// What a patch did to the executable.
struct PatchResult {
  bool ok = false;              // the region now holds the wanted bytes, read back to prove it
  std::size_t bytesChanged = 0;  // bytes that differed and were written
  std::size_t writes = 0;        // one write per run of differing bytes
};

// Patches `size` bytes at `position` in place. `makeWanted` is given the bytes the
// executable holds there and turns them into the bytes it should hold. Only runs
// of differing bytes are written, each with one write; before the first write the
// executable is copied to zav.exe.bak beside it unless that file exists (no copy,
// no patch); afterwards the region is read back and compared. A region that does
// not lie whole inside the file shows `notFoundMessage` and writes nothing.
PatchResult PatchExecutable(const std::filesystem::path& path, std::int64_t position, std::size_t size,
                            const std::function<void(MutableByteView)>& makeWanted,
                            const std::string& notFoundMessage, Messages& messages);

// zav.exe.bak in the executable's folder.
std::filesystem::path BackupPath(const std::filesystem::path& executable);

}  // namespace tavrel
