#include "AppFixture.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include "app/Actions.h"
#include "demo/DemoGame.h"

namespace tavrel::test {
namespace {
std::unique_ptr<ScratchFolder> g_DemoFolder;
}

void AppFixture::SetUpTestSuite() {
  if (g_DemoFolder) return;
  g_DemoFolder = std::make_unique<ScratchFolder>();
  RecordingMessages made;
  ASSERT_TRUE(demo::MakeDemoGame(DemoGame(), {}, made));
}

const std::filesystem::path& AppFixture::DemoGame() {
  static const std::filesystem::path game = g_DemoFolder->path() / "demo";
  return game;
}

Application& AppFixture::StartApp(const StartOptions& options) {
  app = std::make_unique<Application>(*settings, messages, chooser, patchLevel);
  QSignalSpy ready(app.get(), &Application::PatchLevelRead);
  app->Start(options);
  EXPECT_TRUE(ready.wait(5000));
  return *app;
}

Application& AppFixture::StartOnDemo(const std::filesystem::path& game) {
  StartOptions options;
  options.gameDirectory = game.string();
  options.patchLevel = 0;
  return StartApp(options);
}

QAction& AppFixture::ActionOf(int id) {
  QAction* action = app->GetActions().Find(id);
  EXPECT_NE(action, nullptr) << id;
  return *action;
}

void AppFixture::Trigger(int id) {
  app->GetActions().Update();
  ActionOf(id).trigger();
  Settle();
}

void AppFixture::Settle() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QCoreApplication::processEvents();
}

}  // namespace tavrel::test
