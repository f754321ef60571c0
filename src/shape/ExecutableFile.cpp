#include "shape/ExecutableFile.h"

#include <system_error>
#include <unistd.h>
#include <vector>

#include "base/Files.h"
#include "base/Format.h"
#include "base/GamePaths.h"
#include "base/Messages.h"
#include "base/Trace.h"

namespace tavrel {
namespace {

struct Run {
  std::size_t begin;
  std::size_t end;
};

// The stretches where `wanted` differs from `current` (same lengths).
std::vector<Run> differingRuns(ByteView current, ByteView wanted) {
  std::vector<Run> runs;
  for (std::size_t i = 0; i < current.size();) {
    if (current[i] == wanted[i]) {
      ++i;
      continue;
    }
    const std::size_t begin = i;
    while (i < current.size() && current[i] != wanted[i]) ++i;
    runs.push_back({begin, i});
  }
  return runs;
}

// Players expect to get their original game back, so the first patch that
// changes anything keeps a copy. The copy is made under a temporary name and
// renamed, so a half-made copy is never taken for the original later.
bool ensureBackup(const std::filesystem::path& executable, Messages& messages) {
  const std::filesystem::path backup = BackupPath(executable);
  std::error_code error;
  if (std::filesystem::exists(backup, error)) return true;
  std::filesystem::path temporary = backup;
  temporary += ".tavrel-" + std::to_string(::getpid()) + ".tmp";
  std::filesystem::copy_file(executable, temporary, std::filesystem::copy_options::overwrite_existing, error);
  if (!error) std::filesystem::rename(temporary, backup, error);
  if (!error) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  messages.show(format("Cannot make the backup copy \"%s\" of ZAV.EXE (%s), so nothing was patched",
                       backup.string().c_str(), error.message().c_str()),
                Icon::Stop);
  return false;
}

}  // namespace

std::string MissingExecutableMessage(const std::filesystem::path& path) {
  return format("Cannot find ZAV.EXE  at path=\"%s\" or (ZAV.EXE may be read only!)", path.string().c_str());
}

std::filesystem::path BackupPath(const std::filesystem::path& executable) {
  return ResolveCaseInsensitive(executable.parent_path() / "zav.exe.bak");
}

std::optional<ExecutableFile> ExecutableFile::Open(const std::filesystem::path& path, Mode mode, Messages& messages) {
  // A folder opens for reading on some systems; only a regular file is an executable.
  const auto size = fileSize(path);
  std::ios::openmode openMode = std::ios::binary | std::ios::in;
  if (mode == Mode::Update) openMode |= std::ios::out;  // in|out neither creates nor truncates
  std::fstream file;
  if (size) file.open(path, openMode);
  if (!size || !file.is_open()) {
    messages.show(MissingExecutableMessage(path), Icon::Stop);
    return std::nullopt;
  }
  return ExecutableFile(std::move(file), static_cast<std::int64_t>(*size));
}

std::size_t ExecutableFile::ReadAt(std::int64_t position, MutableByteView into) {
  if (!Holds(position) || into.empty()) return 0;
  m_File.clear();
  m_File.seekg(position);
  m_File.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
  const auto count = static_cast<std::size_t>(m_File.gcount());
  m_File.clear();  // reaching the end is not an error for the next operation
  return count;
}

bool ExecutableFile::WriteAt(std::int64_t position, ByteView bytes) {
  m_File.clear();
  m_File.seekp(position);
  m_File.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  m_File.flush();
  const bool written = m_File.good();
  m_File.clear();
  return written;
}

PatchResult PatchExecutable(const std::filesystem::path& path, std::int64_t position, std::size_t size,
                            const std::function<void(MutableByteView)>& makeWanted,
                            const std::string& notFoundMessage, Messages& messages) {
  auto file = ExecutableFile::Open(path, ExecutableFile::Mode::Update, messages);
  if (!file) return {};
  std::vector<std::uint8_t> current(size);
  if (!file->HoldsRegion(position, size) || file->ReadAt(position, current) != size) {
    messages.show(notFoundMessage);
    return {};
  }
  std::vector<std::uint8_t> wanted = current;
  makeWanted(wanted);

  const std::vector<Run> runs = differingRuns(current, wanted);
  PatchResult result;
  if (!runs.empty() && !ensureBackup(path, messages)) return result;
  for (const Run& run : runs) {
    file->WriteAt(position + static_cast<std::int64_t>(run.begin),
                  ByteView(wanted).subspan(run.begin, run.end - run.begin));
    ++result.writes;
    result.bytesChanged += run.end - run.begin;
  }
  trace("Patched %zu bytes in %zu writes at 0x%llx\n", result.bytesChanged, result.writes,
        static_cast<unsigned long long>(position));

  // Only what the file holds afterwards proves the patch.
  std::vector<std::uint8_t> readBack(size);
  result.ok = file->ReadAt(position, readBack) == size && readBack == wanted;
  if (!result.ok)
    messages.show(format("ZAV.EXE at path=\"%s\" does not hold the patched bytes when read back; the patch is "
                         "incomplete",
                         path.string().c_str()),
                  Icon::Stop);
  return result;
}

}  // namespace tavrel
