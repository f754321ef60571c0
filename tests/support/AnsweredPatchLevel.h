#pragma once
// The patch-level question answered by the test, the questions counted.

#include <functional>
#include <optional>

#include "document/ProgramValues.h"

namespace tavrel::test {

class AnsweredPatchLevel : public PatchLevelQuestion {
 public:
  explicit AnsweredPatchLevel(std::optional<int> answer = std::nullopt) : m_Answer(answer) {}
  std::optional<int> Ask() override {
    ++asked;
    if (whenAsked) whenAsked();
    return m_Answer;
  }

  int asked = 0;
  std::function<void()> whenAsked;  // to look at the program while the question is up

 private:
  std::optional<int> m_Answer;
};

}  // namespace tavrel::test
