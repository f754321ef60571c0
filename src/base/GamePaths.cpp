#include "base/GamePaths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

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

bool isWindowsLocation(const std::string& location) {
  const bool driveLetter =
      location.size() >= 2 && std::isalpha(static_cast<unsigned char>(location[0])) && location[1] == ':';
  return driveLetter || location.find('\\') != std::string::npos;
}

// The folder a Windows drive letter stands for in the Wine prefix: c: is drive_c.
std::filesystem::path wineDrive(char letter) {
  const char* prefix = std::getenv("WINEPREFIX");
  const char* home = std::getenv("HOME");
  const std::filesystem::path root =
      prefix && *prefix ? std::filesystem::path(prefix) : std::filesystem::path(home ? home : "") / ".wine";
  return root / (std::string("drive_") + static_cast<char>(std::tolower(static_cast<unsigned char>(letter))));
}

}  // namespace

std::string HostGameLocation(const std::string& gameLocation) {
  if (std::filesystem::path::preferred_separator == '\\' || !isWindowsLocation(gameLocation)) return gameLocation;
  std::string rest = gameLocation;
  std::string host;
  if (rest.size() >= 2 && rest[1] == ':') {
    host = wineDrive(rest[0]).string();
    rest = rest.substr(2);
    if (rest.empty() || rest[0] != '\\') rest.insert(rest.begin(), '\\');
  }
  std::replace(rest.begin(), rest.end(), '\\', '/');
  return host + rest;
}

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
  std::string joined = HostGameLocation(gameLocation);
  joined += static_cast<char>(std::filesystem::path::preferred_separator);
  joined += relative;
  return ResolveCaseInsensitive(std::filesystem::path(joined).make_preferred());
}

std::filesystem::path ExecutablePath(const std::string& gameLocation) { return GamePath(gameLocation, "zav.exe"); }

}  // namespace tavrel
