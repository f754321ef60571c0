#pragma once
// A folder of a fuzzing or benchmark run's own under the temporary folder
// (TMPDIR), made with the object and removed with it, files and all.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrel {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name)
      : m_Path(std::filesystem::temp_directory_path() / ("tavrel-" + name + "-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(m_Path);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_Path, ignored);
  }
  const std::filesystem::path& path() const { return m_Path; }

 private:
  std::filesystem::path m_Path;
};

}  // namespace tavrel
