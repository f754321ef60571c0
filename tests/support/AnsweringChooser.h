#pragma once
// A file chooser for tests: answers the file dialogs in turn (cancel when none
// is left) and keeps what each was asked with.

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "document/FileChooser.h"

namespace tavrel::test {

class AnsweringChooser : public FileChooser {
 public:
  struct Request {
    FileAction action;
    std::string defaultName;
    std::string filter;
  };

  std::optional<std::filesystem::path> Choose(FileAction action, const FileDialogKind& kind) override {
    asked.push_back({action, std::string(kind.defaultName), std::string(kind.filter)});
    return NextAnswer();
  }
  std::optional<std::filesystem::path> ChooseFolder(const std::string& title) override {
    foldersAsked.push_back(title);
    return NextAnswer();
  }

  std::deque<std::optional<std::filesystem::path>> answers;
  std::vector<Request> asked;
  std::vector<std::string> foldersAsked;  // the browsers' titles

 private:
  std::optional<std::filesystem::path> NextAnswer() {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace tavrel::test
