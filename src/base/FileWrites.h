#pragma once
// All-or-nothing writes: each file is written whole under a temporary name
// beside its target and then renamed over it, so a crash or a full disk never
// leaves a half-written file. A target reached through symbolic links is
// written where the links lead, and the links stay.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/Bytes.h"

namespace tavrel {

// How a write ended: true on success, otherwise the step that failed, on which
// file (as the caller named it) and the system's reason, for WriteFailureMessage.
struct WriteResult {
  enum class Failure { None, NotAFile, Open, Write, Replace };

  explicit operator bool() const { return failure == Failure::None; }

  Failure failure = Failure::None;
  std::filesystem::path path;
  std::error_code cause;  // empty when the step gave no reason
};

// The wording every writer tells the user, naming the file and what failed:
// `openText` (the writer's own words) when the file could not be made, as in
// "Cannot open file for writing: PATH (No such file or directory)";
// "Cannot write file PATH: No space left on device" when writing it failed.
std::string WriteFailureMessage(const WriteResult& result, std::string_view openText = "Cannot open file for writing");

// Writes the file, whole or not at all; on failure the target is untouched.
// A target that exists but is not a regular file (a folder, a device, a pipe)
// is refused. A replaced file keeps its permissions.
WriteResult writeFileAtomically(const std::filesystem::path& path, ByteView bytes);

// The same for text, written byte for byte: no line ends are translated.
inline WriteResult writeFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return writeFileAtomically(path, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// Files that belong together, written whole under temporary names first and
// moved into place together by Commit: a failure anywhere leaves none of them
// new, so a reader never finds a new file beside an old one it refers to.
class StagedFiles {
 public:
  StagedFiles() = default;
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  ~StagedFiles();  // removes whatever was staged and not committed

  WriteResult Stage(const std::filesystem::path& path, ByteView bytes);
  // For writers that make their file themselves at a path they are given:
  // `make` writes the temporary file there (into that file, not by moving
  // another over it) and returns false when it could not.
  WriteResult StageMadeBy(const std::filesystem::path& path,
                          const std::function<bool(const std::filesystem::path&)>& make);

  // Moves the files into place in the order they were staged. On failure the
  // ones already moved are undone: replaced files come back, new ones go.
  WriteResult Commit();

 private:
  struct File {
    std::filesystem::path named;      // as the caller gave it, for messages
    std::filesystem::path target;     // where its links lead
    std::filesystem::path temporary;  // the new bytes, until moved onto the target
    std::filesystem::path kept;       // the replaced file while a later one may fail
    bool placed = false;
  };

  // Writes the temporary file, open as the descriptor given; false, with the
  // system's reason where there is one, on failure.
  using Writer = std::function<bool(const std::filesystem::path& temporary, int descriptor, std::error_code& cause)>;

  WriteResult stage(const std::filesystem::path& path, const Writer& write);
  WriteResult place(File& file, bool keepReplaced);
  void undo();

  std::vector<File> m_Files;
};

}  // namespace tavrel
