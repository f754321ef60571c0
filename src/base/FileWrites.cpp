#include "base/FileWrites.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>

namespace tavrel {
namespace {

using Failure = WriteResult::Failure;

// As many links as the system itself follows before it gives up.
constexpr int kMostLinks = 40;

std::error_code systemError(int error) { return {error, std::generic_category()}; }

WriteResult failed(Failure failure, const std::filesystem::path& named, std::error_code cause = {}) {
  return {failure, named, cause};
}

struct Target {
  std::filesystem::path path;
  std::optional<mode_t> permissions;  // of the file there now; none for a new file
};

// Where a write to `named` lands: the end of its chain of symbolic links (a
// link to nothing yet makes the file it names). What lies there must be a
// regular file or nothing.
WriteResult findTarget(const std::filesystem::path& named, Target& target) {
  target.path = named;
  for (int link = 0; link <= kMostLinks; ++link) {
    struct stat status {};
    if (::lstat(target.path.c_str(), &status) != 0)
      return errno == ENOENT ? WriteResult{} : failed(Failure::Open, named, systemError(errno));
    if (S_ISREG(status.st_mode)) {
      target.permissions = status.st_mode & 07777;
      return {};
    }
    if (!S_ISLNK(status.st_mode)) return failed(Failure::NotAFile, named);
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(target.path, error);
    if (error) return failed(Failure::Open, named, error);
    target.path = next.is_absolute() ? next : target.path.parent_path() / next;
  }
  return failed(Failure::Open, named, systemError(ELOOP));
}

// A new file beside `target`, open for writing, under a name no other write
// uses; -1 (with errno) when none can be made.
int createTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  static std::atomic<unsigned> s_Count{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += ".tavrel-" + std::to_string(::getpid()) + "-" + std::to_string(s_Count++) + ".tmp";
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (file >= 0 || errno != EEXIST) return file;
  }
  return -1;
}

bool writeAll(int file, ByteView bytes, std::error_code& cause) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(file, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      cause = systemError(written < 0 ? errno : EIO);
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

// Puts the replaced file back over the target. When it was kept as a second
// link, the rename may find both names on one file and do nothing, so the
// second name is removed after it.
void restoreKept(const std::filesystem::path& kept, const std::filesystem::path& target) {
  ::rename(kept.c_str(), target.c_str());
  ::unlink(kept.c_str());
}

}  // namespace

std::string WriteFailureMessage(const WriteResult& result, std::string_view openText) {
  const std::string path = result.path.string();
  const std::string reason = result.cause ? result.cause.message() : "";
  const auto opening = [&](const std::string& why) { return std::string(openText) + ": " + path + " (" + why + ")"; };
  const auto step = [&](const std::string& what) { return what + path + (reason.empty() ? "" : ": " + reason); };
  switch (result.failure) {
    case Failure::None:
      return "";
    case Failure::NotAFile:
      return opening("it is not a regular file");
    case Failure::Open:
      return opening(reason);
    case Failure::Write:
      return step("Cannot write file ");
    case Failure::Replace:
      return step("Cannot move the written file to ");
  }
  return "";
}

WriteResult writeFileAtomically(const std::filesystem::path& path, ByteView bytes) {
  StagedFiles file;
  if (WriteResult staged = file.Stage(path, bytes); !staged) return staged;
  return file.Commit();
}

StagedFiles::~StagedFiles() {
  for (const File& file : m_Files) ::unlink(file.temporary.c_str());
}

WriteResult StagedFiles::Stage(const std::filesystem::path& path, ByteView bytes) {
  return stage(path, [bytes](const std::filesystem::path&, int file, std::error_code& cause) {
    return writeAll(file, bytes, cause);
  });
}

WriteResult StagedFiles::StageMadeBy(const std::filesystem::path& path,
                                     const std::function<bool(const std::filesystem::path&)>& make) {
  return stage(path,
               [&make](const std::filesystem::path& temporary, int, std::error_code&) { return make(temporary); });
}

WriteResult StagedFiles::stage(const std::filesystem::path& path, const Writer& write) {
  Target target;
  if (WriteResult found = findTarget(path, target); !found) return found;
  File file{path, target.path, {}, {}, false};
  const int descriptor = createTemporary(target.path, file.temporary);
  if (descriptor < 0) return failed(Failure::Open, path, systemError(errno));
  std::error_code cause;
  bool written = write(file.temporary, descriptor, cause);
  // The first step to fail gives the reason.
  const auto then = [&written, &cause](bool done) {
    if (written && !done) cause = systemError(errno);
    written = written && done;
  };
  // The bytes reach the disk before the rename that follows, so a crash never
  // leaves an empty file where the old one was.
  then(::fsync(descriptor) == 0);
  then(::close(descriptor) == 0);
  then(!target.permissions || ::chmod(file.temporary.c_str(), *target.permissions) == 0);
  if (!written) {
    ::unlink(file.temporary.c_str());
    return failed(Failure::Write, path, cause);
  }
  m_Files.push_back(std::move(file));
  return {};
}

WriteResult StagedFiles::Commit() {
  for (std::size_t i = 0; i < m_Files.size(); ++i) {
    // Only a file that a later one can still fail after needs its old self kept.
    if (WriteResult placed = place(m_Files[i], i + 1 < m_Files.size()); !placed) {
      undo();
      return placed;
    }
  }
  for (const File& file : m_Files)
    if (!file.kept.empty()) ::unlink(file.kept.c_str());
  m_Files.clear();
  return {};
}

WriteResult StagedFiles::place(File& file, bool keepReplaced) {
  if (keepReplaced) {
    std::filesystem::path kept = file.temporary;
    kept.replace_extension(".old");
    // A second link keeps the old file in place meanwhile; a file system
    // without links gets it moved aside.
    if (::link(file.target.c_str(), kept.c_str()) == 0 ||
        (errno != ENOENT && ::rename(file.target.c_str(), kept.c_str()) == 0))
      file.kept = kept;
    else if (errno != ENOENT)
      return failed(Failure::Replace, file.named, systemError(errno));
  }
  if (::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
    const int error = errno;
    if (!file.kept.empty()) restoreKept(file.kept, file.target);
    file.kept.clear();
    return failed(Failure::Replace, file.named, systemError(error));
  }
  file.placed = true;
  return {};
}

void StagedFiles::undo() {
  for (auto file = m_Files.rbegin(); file != m_Files.rend(); ++file) {
    if (!file->placed)
      ::unlink(file->temporary.c_str());
    else if (file->kept.empty())
      ::unlink(file->target.c_str());
    else
      restoreKept(file->kept, file->target);
  }
  m_Files.clear();
}

}  // namespace tavrel
