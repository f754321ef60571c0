#pragma once
// Shared test helpers: a recording message sink, a scripted editor host, a
// temporary folder, and a decoded car made from a shape recipe.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/Messages.h"
#include "base/Vec3.h"
#include "demo/ShapeImageBuilder.h"
#include "document/EditorHost.h"
#include "scratch/ScratchFolder.h"
#include "shape/Car.h"
#include "shape/ShapeCheck.h"

namespace tavrel {
// Problems print as their severity and text in a failed expectation.
void PrintTo(const ShapeProblem& problem, std::ostream* out);
}  // namespace tavrel

namespace tavrel::test {

struct Message {
  std::string text;
  Icon icon;
  bool operator==(const Message&) const = default;
};

class RecordingMessages : public Messages {
 public:
  using Messages::ask;
  void show(const std::string& text, Icon icon) override { shown.push_back({text, icon}); }
  bool ask(const std::string& text, Answer byDefault) override {
    asked.push_back(text);
    defaults.push_back(byDefault);
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  Choice choose(const std::string& text) override {
    asked.push_back(text);
    defaults.push_back(Answer::Yes);
    if (choices.empty()) return Choice::No;
    const Choice choice = choices.front();
    choices.erase(choices.begin());
    return choice;
  }
  std::vector<std::string> texts() const;

  std::vector<Message> shown;
  std::vector<std::string> asked;
  std::vector<Answer> defaults;  // each question's default answer
  std::vector<bool> answers;     // given to the questions in turn; no when none is left
  std::vector<Choice> choices;   // given to the questions with Cancel in turn; no when none is left
};

// Answers every editor with the values it is given, or with Cancel.
class ScriptedEditorHost : public EditorHost {
 public:
  bool EditPoint(PointValues& values, const ViewCenter& viewCenter) override;
  bool EditCamera(CameraFields& fields) override;
  bool EditDataValue(int& value) override;

  bool confirm = true;
  PointValues point;
  CameraFields camera;
  int dataValue = 0;
  // What the editors were opened with.
  std::vector<PointValues> pointsShown;
  std::vector<CameraFields> camerasShown;
  std::vector<int> dataValuesShown;
};

// A car whose image holds the shape of `recipe`, decoded with its table offset.
std::unique_ptr<Car> DecodedCar(const ShapeRecipe& recipe, Messages& messages);
std::unique_ptr<Car> DecodedCar(const ShapeRecipe& recipe);

// What saving and exporting would write of a car: its image with its edits,
// each part's file and the camera file, one after the other.
std::vector<std::uint8_t> CarBytes(Car& car);

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
void WriteText(const std::filesystem::path& path, const std::string& text);
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// The offsets at which two files of equal length differ.
std::vector<std::size_t> ChangedOffsets(const std::vector<std::uint8_t>& before,
                                        const std::vector<std::uint8_t>& after);
// Some byte changed, and every changed byte lies in one of `ranges`, each from
// its first offset up to its second.
void ExpectChangesOnlyIn(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after,
                         const std::vector<std::pair<std::int64_t, std::int64_t>>& ranges);

// Each coordinate within 1e-9 of the expected one; a failure names both points.
testing::AssertionResult Near(Vec3 actual, Vec3 expected);

// Makes `folder` the working directory for the object's life: texture.cfg is
// read from there, as the game's tools expect.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& folder);
  ~InFolder();
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path m_Previous;
};

}  // namespace tavrel::test
