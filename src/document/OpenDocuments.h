#pragma once
// What the program says of its open documents, below any window: the
// recent-file list kept in the settings, the names of untitled documents, the
// titles of their windows, and which open document already has a file.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

class Document;
class Settings;

// The files opened last, newest first, at most kCount of them.
class RecentFiles {
 public:
  static constexpr int kCount = 4;

  explicit RecentFiles(Settings& settings) : m_Settings(settings) {}
  std::vector<std::string> Paths() const;
  // To the front, once; the oldest beyond kCount drops off.
  void Add(const std::string& path);
  void Remove(const std::string& path);

 private:
  void Write(const std::vector<std::string>& paths);
  Settings& m_Settings;
};

// An untitled document is named by its kind and a number: "car1", "car2".
class UntitledNames {
 public:
  std::string Next() { return "car" + std::to_string(++m_Count); }

 private:
  int m_Count = 0;
};

// The document's name, marked while it has unsaved changes: "car1 *".
std::string DocumentTitle(const Document& document);
// The title of window `index` of `count` showing a document titled `title`:
// numbered when there are more than one; a JAM window names its texture file.
std::string WindowTitle(std::string_view title, std::size_t index, std::size_t count, std::string_view jamName = {});
// The main window's title while `active`'s window is active (none: no document window).
std::string MainWindowTitle(const Document* active);

// The open document that has the file at `path`, or null: two names of one
// file (relative, through a link) are the same file.
Document* DocumentWithFile(std::span<Document* const> open, const std::filesystem::path& path);

}  // namespace tavrel
