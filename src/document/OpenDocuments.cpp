#include "document/OpenDocuments.h"

#include <algorithm>

#include "base/Settings.h"
#include "document/Document.h"

namespace tavrel {
namespace {

const std::string kRecentFileSection = "Recent File List";
constexpr std::string_view kProgramTitle = "Zav Tavrel";

std::string RecentFileKey(int number) { return "File" + std::to_string(number); }

std::filesystem::path SameFileName(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return error ? std::filesystem::absolute(path, error) : canonical;
}

}  // namespace

std::vector<std::string> RecentFiles::Paths() const {
  std::vector<std::string> paths;
  for (int number = 1; number <= kCount; ++number) {
    std::string path = m_Settings.ReadString(kRecentFileSection, RecentFileKey(number), "");
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}

void RecentFiles::Add(const std::string& path) {
  std::vector<std::string> paths = Paths();
  std::erase(paths, path);
  paths.insert(paths.begin(), path);
  Write(paths);
}

void RecentFiles::Remove(const std::string& path) {
  std::vector<std::string> paths = Paths();
  std::erase(paths, path);
  Write(paths);
}

void RecentFiles::Write(const std::vector<std::string>& paths) {
  for (int number = 1; number <= kCount; ++number) {
    const auto index = static_cast<std::size_t>(number - 1);
    m_Settings.WriteString(kRecentFileSection, RecentFileKey(number), index < paths.size() ? paths[index] : "");
  }
}

std::string DocumentTitle(const Document& document) {
  return document.IsModified() ? document.Name() + " *" : document.Name();
}

std::string WindowTitle(std::string_view title, std::size_t index, std::size_t count, std::string_view jamName) {
  std::string text(title);
  if (count > 1) text += ":" + std::to_string(index + 1);
  if (!jamName.empty()) text += " - " + std::string(jamName);
  return text;
}

std::string MainWindowTitle(const Document* active) {
  std::string title(kProgramTitle);
  if (active != nullptr) title += " - " + DocumentTitle(*active);
  return title;
}

Document* DocumentWithFile(std::span<Document* const> open, const std::filesystem::path& path) {
  const std::filesystem::path wanted = SameFileName(path);
  const auto found = std::ranges::find_if(open, [&wanted](const Document* document) {
    return !document->PathName().empty() && SameFileName(document->PathName()) == wanted;
  });
  return found == open.end() ? nullptr : *found;
}

}  // namespace tavrel
