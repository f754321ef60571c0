#pragma once
// A Tavrel application on the demo game, with its settings in a file of the
// test's own, its messages recorded and its file dialogs answered.

#include <gtest/gtest.h>

#include <QAction>
#include <memory>
#include <optional>

#include "app/Application.h"
#include "app/QtSettings.h"
#include "support/AnsweredPatchLevel.h"
#include "support/AnsweringChooser.h"
#include "support/TestSupport.h"

namespace tavrel::test {

class AppFixture : public testing::Test {
 protected:
  static void SetUpTestSuite();
  // The demo game made once for the whole program.
  static const std::filesystem::path& DemoGame();

  // Starts the application and waits until the patch level is read.
  Application& StartApp(const StartOptions& options);
  // Starts on the demo game at patch level 0.
  Application& StartOnDemo(const std::filesystem::path& game = DemoGame());
  // Triggers a command's action as a click would; a disabled action does nothing.
  void Trigger(int id);
  QAction& ActionOf(int id);
  // Runs the deletions that closing windows queued.
  static void Settle();
  std::vector<std::string> MessageTexts() const { return messages.texts(); }

  ScratchFolder dir;
  std::filesystem::path settingsFile = dir / "settings.ini";
  std::unique_ptr<QtSettings> settings = std::make_unique<QtSettings>(QString::fromStdString(settingsFile.string()));
  RecordingMessages messages;
  AnsweringChooser chooser;
  AnsweredPatchLevel patchLevel{0};
  std::unique_ptr<Application> app;
};

}  // namespace tavrel::test
