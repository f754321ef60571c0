// Recovery after a crash, for real: a program with unsaved changes is killed,
// and the next start offers them back, byte for byte.

#include <csignal>
#include <cstdlib>

#include <QCoreApplication>
#include <QProcess>

#include "AppFixture.h"
#include "app/CommandTable.h"
#include "document/Document.h"
#include "document/RecoveryFile.h"

namespace tavrel::test {
namespace {

constexpr const char* kChildFolder = "TAVREL_RECOVERY_CHILD";

// The program that dies: run only as the child of the test below, which names
// its recovery folder. It imports the demo car, moves a point, writes what the
// car then holds beside the recovery file, and is killed.
class RecoveryChildProcess : public AppFixture {};

TEST_F(RecoveryChildProcess, EditsAndIsKilled) {
  const char* folder = std::getenv(kChildFolder);
  if (folder == nullptr) GTEST_SKIP() << "the child of RecoveryTest.KilledWithUnsavedChangesTheNextStartOffersThem";
  StartOptions options;
  options.gameDirectory = DemoGame().string();
  options.patchLevel = 0;
  options.recoveryFolder = folder;
  StartApp(options);
  Trigger(command::kImportFromExe);
  Document& document = *app->ActiveDocument();
  ScriptedEditorHost editors;
  editors.point = {999, 1, 2};
  document.EditElement(document.GetCar()->m_Points[1], editors);
  WriteBytes(std::filesystem::path(folder) / "expected.bin", CarBytes(*document.GetCar()));
  std::raise(SIGKILL);
}

class RecoveryTest : public AppFixture {
 protected:
  // Runs the child and waits for it to be killed.
  void RunChildThatDies() {
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kChildFolder, QString::fromStdString(folder.string()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=RecoveryChildProcess.*"});
    ASSERT_TRUE(child.waitForFinished(60000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit) << child.readAllStandardOutput().toStdString();
    ASSERT_EQ(OrphanedRecoveryFiles(folder).size(), 1u);
  }
  Application& StartWithRecovery() {
    StartOptions options;
    options.gameDirectory = DemoGame().string();
    options.patchLevel = 0;
    options.recoveryFolder = folder;
    return StartApp(options);
  }

  std::filesystem::path folder = dir / "recovery";
};

TEST_F(RecoveryTest, KilledWithUnsavedChangesTheNextStartOffersThem) {
  RunChildThatDies();
  messages.answers = {true};
  StartWithRecovery();
  EXPECT_EQ(messages.asked,
            std::vector<std::string>{"Tavrel did not close properly. Recover the unsaved changes to car1?"});
  ASSERT_EQ(app->DocumentCount(), 1u);
  Document& document = *app->ActiveDocument();
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(CarBytes(*document.GetCar()), ReadBytes(folder / "expected.bin"));
  EXPECT_TRUE(OrphanedRecoveryFiles(folder).empty()) << "this program keeps the changes now";

  // Saved, the changes need no recovery file any more.
  chooser.answers = {dir / "recovered.cs3"};
  Trigger(command::kSave);
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(std::ranges::count_if(std::filesystem::directory_iterator(folder),
                                  [](const auto& entry) { return entry.path().extension() == ".recovery"; }),
            0);
}

TEST_F(RecoveryTest, NoLetsTheChangesGo) {
  RunChildThatDies();
  messages.answers = {false};
  StartWithRecovery();
  EXPECT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(app->DocumentCount(), 0u);
  EXPECT_TRUE(OrphanedRecoveryFiles(folder).empty());
}

}  // namespace
}  // namespace tavrel::test
