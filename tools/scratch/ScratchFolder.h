#pragma once
// A folder of a test's, fuzzing or benchmark run's own under the temporary
// folder (TMPDIR), made with the object and removed with it, files and all.

#include <stdlib.h>

#include <cerrno>

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrel {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name = "test") {
    std::string pattern = (std::filesystem::temp_directory_path() / ("tavrel-" + name + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::filesystem::filesystem_error("cannot make a scratch folder", pattern,
                                              std::error_code(errno, std::generic_category()));
    m_Path = pattern;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
  }
  const std::filesystem::path& path() const { return m_Path; }
  std::filesystem::path operator/(const std::string& name) const { return m_Path / name; }

 private:
  std::filesystem::path m_Path;
};

}  // namespace tavrel
