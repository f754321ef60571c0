#include "shape/ExecutableFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>

#include "base/Format.h"
#include "base/Messages.h"
#include "base/Trace.h"
#include "shape/ShapeHeader.h"

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

std::error_code lastError() { return {errno, std::generic_category()}; }

// Writes all of `bytes` at `position`, however the system splits the write.
bool writeAll(int descriptor, std::int64_t position, ByteView bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(descriptor, bytes.data(), bytes.size(), position);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
    position += written;
  }
  return true;
}

// Moves `from` to `to` in one step, but only when nothing is at `to`, so two
// patchers can never replace each other's backup. A hard link does it where the
// file system has them; the rename that refuses to replace where it has not.
std::error_code moveIntoPlaceNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::link(from.c_str(), to.c_str()) == 0) {
    ::unlink(from.c_str());
    return {};
  }
  if (errno == EEXIST) return lastError();
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  return lastError();
}

// The backup under a temporary name first, moved into place only when whole.
std::error_code makeBackup(const ExecutableFile& file, const std::filesystem::path& backup) {
  std::filesystem::path temporary = backup;
  temporary += ".tavrel-" + std::to_string(::getpid()) + ".tmp";
  std::error_code error = file.CopyTo(temporary);
  if (error) return error;
  error = moveIntoPlaceNoReplace(temporary, backup);
  if (error) ::unlink(temporary.c_str());
  return error;
}

// A backup that is there already is kept, but only a regular file of the
// executable's size can be a copy of it: a folder, a link or an empty file left
// by something else would leave the player without their original.
bool acceptExistingBackup(const std::filesystem::path& backup, const std::filesystem::path& executable,
                          std::int64_t size, Messages& messages) {
  std::error_code error;
  const bool regular = std::filesystem::is_regular_file(std::filesystem::symlink_status(backup, error));
  const auto backupSize = regular ? std::filesystem::file_size(backup, error) : 0;
  if (regular && !error && backupSize == static_cast<std::uintmax_t>(size)) return true;
  messages.show(format("\"%s\" is not a backup of %s (a regular file of %lld bytes), so nothing was patched; move it "
                       "away to have a backup made",
                       backup.string().c_str(), executable.filename().string().c_str(), static_cast<long long>(size)),
                Icon::Stop);
  return false;
}

// Players expect to get their original game back, so the first patch that
// changes anything keeps a copy of the executable as it was.
bool ensureBackup(const ExecutableFile& file, const std::filesystem::path& executable, Messages& messages) {
  const std::filesystem::path backup = BackupPath(executable);
  std::error_code error;
  if (!std::filesystem::exists(std::filesystem::symlink_status(backup, error))) {
    error = makeBackup(file, backup);
    if (!error) return true;
    if (error != std::errc::file_exists) {
      messages.show(format("Cannot make the backup copy \"%s\" of %s (%s), so nothing was patched",
                           backup.string().c_str(), executable.filename().string().c_str(), error.message().c_str()),
                    Icon::Stop);
      return false;
    }
  }
  return acceptExistingBackup(backup, executable, file.Size(), messages);
}

std::optional<std::vector<std::uint8_t>> readRegion(const ExecutableFile& file, const PatchRegion& region) {
  if (!file.HoldsRegion(region.position, region.size)) return std::nullopt;
  std::vector<std::uint8_t> bytes(region.size);
  if (file.ReadAt(region.position, bytes) != region.size) return std::nullopt;
  return bytes;
}

std::vector<std::uint8_t> withPieces(std::vector<std::uint8_t> bytes, const PatchRegion& region) {
  for (const PatchPiece& piece : region.pieces) {
    if (piece.offset >= bytes.size()) continue;
    const std::size_t count = std::min(piece.bytes.size(), bytes.size() - piece.offset);
    std::copy_n(piece.bytes.begin(), count, bytes.begin() + static_cast<std::ptrdiff_t>(piece.offset));
  }
  return bytes;
}

bool shapeInPlace(const ExecutableFile& file, const RequiredShape& shape) {
  std::array<std::uint8_t, ShapeHeader::kSize> head{};
  file.ReadAt(shape.position, head);
  return ShapeHeader::Read(head).HasValidMagic();
}

// What the check of a region found: whether it may be patched, and whether
// patching it changes any byte.
struct RegionCheck {
  PatchFailure failure = PatchFailure::None;
  bool changes = false;
};

// Everything that must hold before the first byte of any region is written.
RegionCheck checkRegion(const ExecutableFile& file, const std::filesystem::path& path, const PatchRegion& region,
                        Messages& messages) {
  const auto current = readRegion(file, region);
  if (!current) {
    messages.show(region.notFoundMessage);
    return {PatchFailure::NotReachable};
  }
  if (region.requiredShape && !shapeInPlace(file, *region.requiredShape)) {
    messages.show(format("%s does not hold a %s shape at this patch level; is the patch level right?",
                         path.filename().string().c_str(), region.requiredShape->name.c_str()),
                  Icon::Stop);
    return {PatchFailure::WrongPlace};
  }
  return {PatchFailure::None, withPieces(*current, region) != *current};
}

// The region as the file holds it now (earlier regions written), with the runs
// that differ written and the whole region read back.
PatchResult writeRegion(ExecutableFile& file, const PatchRegion& region) {
  auto bytes = readRegion(file, region);
  if (!bytes) return PatchResult::Failed(PatchFailure::Incomplete);
  const std::vector<std::uint8_t> wanted = withPieces(*bytes, region);
  PatchResult result;
  for (const Run& run : differingRuns(*bytes, wanted)) {
    const ByteView changed = ByteView(wanted).subspan(run.begin, run.end - run.begin);
    if (!file.WriteAt(region.position + static_cast<std::int64_t>(run.begin), changed))
      return PatchResult::Failed(PatchFailure::Incomplete);
    ++result.writes;
    result.bytesChanged += changed.size();
  }
  trace("Patched %zu bytes in %zu writes at 0x%llx\n", result.bytesChanged, result.writes,
        static_cast<unsigned long long>(region.position));
  // Only what the file holds afterwards proves the patch.
  if (file.ReadAt(region.position, *bytes) != region.size || *bytes != wanted)
    return PatchResult::Failed(PatchFailure::Incomplete);
  result.ok = true;
  return result;
}

std::vector<PatchResult> writeRegions(ExecutableFile& file, const std::filesystem::path& path,
                                      std::span<const PatchRegion> regions, Messages& messages) {
  std::vector<PatchResult> results;
  for (const PatchRegion& region : regions) {
    results.push_back(writeRegion(file, region));
    if (results.back().ok) continue;
    messages.show(format("ZAV.EXE at path=\"%s\" does not hold the patched bytes when read back; the patch is "
                         "incomplete",
                         path.string().c_str()),
                  Icon::Stop);
    results.resize(regions.size(), PatchResult::Failed(PatchFailure::Incomplete));
    break;
  }
  return results;
}

}  // namespace

std::string MissingExecutableMessage(const std::filesystem::path& path) {
  return format("Cannot find ZAV.EXE  at path=\"%s\" or (ZAV.EXE may be read only!)", path.string().c_str());
}

std::filesystem::path BackupPath(const std::filesystem::path& executable) {
  std::filesystem::path backup = executable;
  backup += ".bak";
  return backup;
}

std::optional<ExecutableFile> ExecutableFile::Open(const std::filesystem::path& path, Mode mode, Messages& messages) {
  // Non-blocking, so that a named pipe in the executable's place cannot hang the open.
  const int flags = (mode == Mode::Update ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK;
  ExecutableFile file(::open(path.c_str(), flags), 0);
  bool usable = file.m_Descriptor >= 0;
  if (usable && mode == Mode::Update) {
    int locked = -1;
    do locked = ::flock(file.m_Descriptor, LOCK_EX);
    while (locked != 0 && errno == EINTR);
    usable = locked == 0;
  }
  struct stat status {};
  usable = usable && ::fstat(file.m_Descriptor, &status) == 0 && S_ISREG(status.st_mode);
  if (!usable) {
    messages.show(MissingExecutableMessage(path), Icon::Stop);
    return std::nullopt;
  }
  file.m_Size = static_cast<std::int64_t>(status.st_size);
  return file;
}

bool ExecutableFile::CanPatch(const std::filesystem::path& path, Messages& messages) {
  const ExecutableFile file(::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK), 0);
  struct stat status {};
  if (file.m_Descriptor < 0 || ::fstat(file.m_Descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    messages.show(MissingExecutableMessage(path), Icon::Stop);
    return false;
  }
  if (::flock(file.m_Descriptor, LOCK_EX | LOCK_NB) != 0) {
    messages.show(format("ZAV.EXE at path=\"%s\" is being patched by another program; try again when it is done",
                         path.string().c_str()),
                  Icon::Stop);
    return false;
  }
  return true;
}

ExecutableFile::ExecutableFile(ExecutableFile&& other) noexcept
    : m_Descriptor(std::exchange(other.m_Descriptor, -1)), m_Size(other.m_Size) {}

ExecutableFile& ExecutableFile::operator=(ExecutableFile&& other) noexcept {
  if (this != &other) {
    if (m_Descriptor >= 0) ::close(m_Descriptor);
    m_Descriptor = std::exchange(other.m_Descriptor, -1);
    m_Size = other.m_Size;
  }
  return *this;
}

// Closing the descriptor also ends the lock.
ExecutableFile::~ExecutableFile() {
  if (m_Descriptor >= 0) ::close(m_Descriptor);
}

std::size_t ExecutableFile::ReadAt(std::int64_t position, MutableByteView into) const {
  if (!Holds(position)) return 0;
  std::size_t count = 0;
  while (count < into.size()) {
    const ssize_t read =
        ::pread(m_Descriptor, into.data() + count, into.size() - count, position + static_cast<std::int64_t>(count));
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) break;
    count += static_cast<std::size_t>(read);
  }
  return count;
}

bool ExecutableFile::WriteAt(std::int64_t position, ByteView bytes) {
  return position >= 0 && writeAll(m_Descriptor, position, bytes);
}

std::error_code ExecutableFile::CopyTo(const std::filesystem::path& to) const {
  // No link at `to` is followed; a stale file of this run's own name is replaced.
  const int target = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (target < 0) return lastError();
  std::error_code error;
  std::vector<std::uint8_t> buffer(std::size_t{1} << 20);
  for (std::int64_t position = 0; !error && position < m_Size;) {
    const std::size_t count = ReadAt(position, buffer);
    if (count == 0)
      error = std::make_error_code(std::errc::io_error);  // the file ended early
    else if (!writeAll(target, position, ByteView(buffer).first(count)))
      error = lastError();
    position += static_cast<std::int64_t>(count);
  }
  if (!error && ::fsync(target) != 0) error = lastError();
  if (::close(target) != 0 && !error) error = lastError();
  if (error) ::unlink(to.c_str());
  return error;
}

PatchRegion WholeRegion(std::int64_t position, std::vector<std::uint8_t> bytes, std::string notFoundMessage,
                        std::optional<RequiredShape> requiredShape) {
  const std::size_t size = bytes.size();
  return {position, size, {{0, std::move(bytes)}}, std::move(notFoundMessage), std::move(requiredShape)};
}

std::vector<PatchResult> PatchExecutable(const std::filesystem::path& path, std::span<const PatchRegion> regions,
                                         Messages& messages) {
  const auto failAll = [&](PatchFailure why) {
    return std::vector<PatchResult>(regions.size(), PatchResult::Failed(why));
  };
  auto file = ExecutableFile::Open(path, ExecutableFile::Mode::Update, messages);
  if (!file) return failAll(PatchFailure::CannotOpen);
  bool anyChange = false;
  for (const PatchRegion& region : regions) {
    const RegionCheck check = checkRegion(*file, path, region, messages);
    if (check.failure != PatchFailure::None) return failAll(check.failure);
    anyChange = anyChange || check.changes;
  }
  if (anyChange && !ensureBackup(*file, path, messages)) return failAll(PatchFailure::NoBackup);
  return writeRegions(*file, path, regions, messages);
}

}  // namespace tavrel
