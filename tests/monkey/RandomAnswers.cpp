#include "monkey/RandomAnswers.h"

#include <algorithm>
#include <vector>

#include "monkey/Say.h"

namespace tavrel::monkey {
namespace {

// The game's executable, mapping and pictures are never written over, so
// every later import still finds the game.
bool IsGameData(const std::filesystem::path& file) {
  return file.filename() == "zav.exe" || file.filename() == "texture.cfg" || file.extension() == ".jam";
}

}  // namespace

// The game stays where it is, or moves to the monkey's folder, where there is no game.
std::optional<std::filesystem::path> RandomChooser::ChooseFolder(const std::string& title) {
  std::optional<std::filesystem::path> answer;
  if (m_Random.Below(2) == 1) answer = m_Folder;
  Say("    folder browser \"%s\": %s\n", title.c_str(), answer ? answer->string().c_str() : "cancel");
  return answer;
}

std::optional<std::filesystem::path> RandomChooser::Choose(FileAction action, const FileDialogKind& kind) {
  std::optional<std::filesystem::path> answer;
  switch (m_Random.Below(4)) {
    case 0:
      break;  // cancel
    case 1:
      answer = m_Folder / std::string(kind.defaultName);
      break;
    case 2:
      answer = m_Folder / ("new" + std::to_string(m_Random.Below(8)) + "." + std::string(kind.extension));
      break;
    default:
      answer = ExistingFile(action);
      break;
  }
  Say("    %s dialog \"%s\": %s\n", action == FileAction::Open ? "open" : "save", std::string(kind.defaultName).c_str(),
      answer ? answer->string().c_str() : "cancel");
  return answer;
}

std::optional<std::filesystem::path> RandomChooser::ExistingFile(FileAction action) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(m_Folder))
    if (entry.is_regular_file() && (action == FileAction::Open || !IsGameData(entry.path())))
      files.push_back(entry.path());
  if (files.empty()) return std::nullopt;
  std::ranges::sort(files);  // directory order is the file system's, not the seed's
  return m_Random.Pick(files);
}

void RandomMessages::show(const std::string& text, Icon) {
  ++count;
  Say("    message: %s\n", text.c_str());
}

bool RandomMessages::ask(const std::string& text, Answer) {
  ++count;
  const bool yes = m_Random.Chance(50);
  Say("    question: %s -> %s\n", text.c_str(), yes ? "yes" : "no");
  return yes;
}

Choice RandomMessages::choose(const std::string& text) {
  ++count;
  const int pick = m_Random.Below(3);
  Say("    question: %s -> %s\n", text.c_str(), pick == 0 ? "yes" : pick == 1 ? "no" : "cancel");
  return pick == 0 ? Choice::Yes : pick == 1 ? Choice::No : Choice::Cancel;
}

}  // namespace tavrel::monkey
