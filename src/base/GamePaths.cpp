#include "base/GamePaths.h"

#include <algorithm>
#include <cctype>

namespace tavrel {
namespace {

bool equalIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

// The entry of `folder` whose name matches `name` in any case, or nothing.
std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
       it.increment(error)) {
    if (equalIgnoringCase(it->path().filename().string(), name)) return folder / it->path().filename();
  }
  return {};
}

}  // namespace

std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error)) return path;
  std::filesystem::path resolved;
  for (const std::filesystem::path& part : path) {
    const std::string name = part.string();
    if (name.empty() || part == path.root_name() || part == path.root_directory() || name == "." || name == "..") {
      resolved /= part;
      continue;
    }
    std::filesystem::path next = resolved / part;
    if (!std::filesystem::exists(next, error)) next = findIgnoringCase(resolved, name);
    if (next.empty()) return path;
    resolved = std::move(next);
  }
  return resolved;
}

std::filesystem::path GamePath(const std::string& gameLocation, const std::string& relative) {
  std::string joined = gameLocation;
  joined += static_cast<char>(std::filesystem::path::preferred_separator);
  joined += relative;
  return ResolveCaseInsensitive(std::filesystem::path(joined).make_preferred());
}

std::filesystem::path ExecutablePath(const std::string& gameLocation) { return GamePath(gameLocation, "zav.exe"); }

}  // namespace tavrel
