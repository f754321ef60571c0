#pragma once
// The monkey's answers to the program's file dialogs and questions. A file is
// always one inside the run's own folder (an existing one or a new name), or
// nothing: the monkey never reads or writes the user's files. Saving over the
// game's own data (executable, texture.cfg, JAM files) is left out.

#include <filesystem>
#include <optional>
#include <string>

#include "base/Messages.h"
#include "document/FileChooser.h"
#include "monkey/Random.h"

namespace tavrel::monkey {

class RandomChooser : public FileChooser {
 public:
  RandomChooser(Random& random, std::filesystem::path folder) : m_Random(random), m_Folder(std::move(folder)) {}
  std::optional<std::filesystem::path> Choose(FileAction action, const FileDialogKind& kind) override;
  std::optional<std::filesystem::path> ChooseFolder(const std::string& title) override;

 private:
  std::optional<std::filesystem::path> ExistingFile(FileAction action);

  Random& m_Random;
  std::filesystem::path m_Folder;
};

// Counts the messages shown and answers the questions at random.
class RandomMessages : public Messages {
 public:
  explicit RandomMessages(Random& random) : m_Random(random) {}
  void show(const std::string& text, Icon icon) override;
  using Messages::ask;
  bool ask(const std::string& text, Answer byDefault) override;
  Choice choose(const std::string& text) override;

  int count = 0;

 private:
  Random& m_Random;
};

}  // namespace tavrel::monkey
