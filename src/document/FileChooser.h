#pragma once
// Where a document command gets the file it works on: the desktop program asks
// with its file dialogs, the command-line tool answers with the path it was
// given, tests answer "this file" or "cancel".

#include <filesystem>
#include <optional>
#include <string>

#include "shape/FileDialogKind.h"

namespace tavrel {

enum class FileAction { Open, Save };

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen path, or nothing when the user cancelled. A save dialog asks
  // before an existing file is overwritten; both hide the read-only check box.
  virtual std::optional<std::filesystem::path> Choose(FileAction action, const FileDialogKind& kind) = 0;
  // A folder, the browser titled `title`: nothing when the user cancelled, an
  // empty path when what they chose is not a folder of this machine.
  virtual std::optional<std::filesystem::path> ChooseFolder(const std::string& title) = 0;
};

// Answers every request with one path: for the command-line tool.
class FixedFileChooser : public FileChooser {
 public:
  explicit FixedFileChooser(std::filesystem::path path) : m_Path(std::move(path)) {}
  std::optional<std::filesystem::path> Choose(FileAction, const FileDialogKind&) override { return m_Path; }
  std::optional<std::filesystem::path> ChooseFolder(const std::string&) override { return m_Path; }

 private:
  std::filesystem::path m_Path;
};

// Cancels every request: for a run nobody is there to answer (a screenshot).
class NoFileChooser : public FileChooser {
 public:
  std::optional<std::filesystem::path> Choose(FileAction, const FileDialogKind&) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFolder(const std::string&) override { return std::nullopt; }
};

}  // namespace tavrel
