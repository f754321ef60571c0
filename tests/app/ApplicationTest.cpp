// Start-up, settings, importing and opening, windows and the menus that follow them.

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QTreeView>
#include <algorithm>

#include "AppFixture.h"
#include "app/Actions.h"
#include "app/CarTree.h"
#include "app/CarTreeModel.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "document/Document.h"
#include "view/CarView.h"

namespace tavrel::test {
namespace {

using namespace command;

class ApplicationTest : public AppFixture {
 protected:
  QStringList MenuTitles() {
    QStringList titles;
    for (QAction* menu : app->Window().menuBar()->actions()) titles << menu->text();
    return titles;
  }
  static QStringList TitlesOf(const std::vector<MenuTitle>& menu) {
    QStringList titles;
    for (const MenuTitle& title : menu) titles << QString::fromUtf8(title.title.data(), qsizetype(title.title.size()));
    return titles;
  }
  QSettings StoredSettings() const {
    return QSettings(QString::fromStdString(settingsFile.string()), QSettings::IniFormat);
  }
  QList<QMdiSubWindow*> Windows() { return app->Window().MdiArea().subWindowList(); }
};

TEST_F(ApplicationTest, FirstStartAsksThePatchLevelOnceTheWindowIsShownAndStoresIt) {
  AnsweredPatchLevel patched(1);
  std::vector<bool> windowShownWhenAsked;
  patched.whenAsked = [this, &windowShownWhenAsked] { windowShownWhenAsked.push_back(app->Window().isVisible()); };
  app = std::make_unique<Application>(*settings, messages, chooser, patched);
  app->Start({});
  EXPECT_TRUE(windowShownWhenAsked.empty()) << "asked before the window was up";
  Settle();
  EXPECT_EQ(windowShownWhenAsked, std::vector<bool>{true});
  EXPECT_EQ(app->Program().PatchLevel(), 1);
  EXPECT_EQ(StoredSettings().value("Preferences/ZavPatchLevel").toInt(), 1);
  EXPECT_EQ(app->DocumentCount(), 0u) << "a plain start opens no document";
  EXPECT_EQ(app->Window().windowTitle(), "Zav Tavrel");

  // A second start reads the stored level and asks nothing.
  app.reset();
  AnsweredPatchLevel original(0);
  app = std::make_unique<Application>(*settings, messages, chooser, original);
  app->Start({});
  Settle();
  EXPECT_EQ(original.asked, 0);
  EXPECT_EQ(app->Program().PatchLevel(), 1);
}

TEST_F(ApplicationTest, RunOptionsOverrideWithoutWritingAndTheEmptyTreeShowsAllCars) {
  StartOnDemo();
  QSettings stored = StoredSettings();
  EXPECT_FALSE(stored.contains("Preferences/ZavPatchLevel"));
  EXPECT_FALSE(stored.contains("Preferences/ZavLocation"));
  QTreeView* tree = app->Window().findChild<QTreeView*>("carTree");
  ASSERT_NE(tree, nullptr);
  ASSERT_EQ(tree->model()->rowCount(), 1);
  EXPECT_EQ(tree->model()->index(0, 0).data().toString(), "All Cars");
}

TEST_F(ApplicationTest, ImportFromExeOpensAWindowOnTheGamesCar) {
  StartOnDemo();
  Trigger(kImportFromExe);
  ASSERT_EQ(app->DocumentCount(), 1u);
  Document* document = app->ActiveDocument();
  ASSERT_NE(document, nullptr);
  ASSERT_TRUE(document->HasCar());
  EXPECT_EQ(document->GetCar()->m_Valid, 1);
  EXPECT_NE(document->GetCar()->m_Helmet, nullptr);
  EXPECT_NE(document->Outline(), nullptr) << "the car was listed";
  EXPECT_EQ(Windows().size(), 1);
  EXPECT_EQ(app->Window().windowTitle(), "Zav Tavrel - car1");
  ASSERT_NE(app->ActiveView(), nullptr);
  EXPECT_EQ(&app->ActiveView()->GetDocument(), document) << "the window shows the car";
  EXPECT_TRUE(MessageTexts().empty()) << MessageTexts().front();
}

TEST_F(ApplicationTest, ImportFromAWrongLocationStillOpensAnEmptyWindow) {
  StartOnDemo(dir / "no-game-here");
  Trigger(kImportFromExe);
  ASSERT_EQ(app->DocumentCount(), 1u);
  EXPECT_FALSE(app->ActiveDocument()->HasCar());
  // The executable is missing, and so are the two JAM files the new car view takes its textures from.
  const std::vector<std::string> texts = MessageTexts();
  ASSERT_EQ(texts.size(), 4u) << testing::PrintToString(texts);
  EXPECT_EQ(texts[0].rfind("Cannot find ZAV.EXE ", 0), 0u) << texts[0];
  EXPECT_EQ(texts[1].rfind("Bad Exe Path ", 0), 0u) << texts[1];
  EXPECT_NE(texts[2].find("Chassis3.jam"), std::string::npos) << texts[2];
  EXPECT_NE(texts[3].find("Mclare98.jam"), std::string::npos) << texts[3];
}

TEST_F(ApplicationTest, OpeningAFileTwiceActivatesItsWindowAndListsItOnce) {
  StartOnDemo();
  const std::filesystem::path car = DemoGame() / "cars" / "demo.cs3";
  chooser.answers = {car, car};
  Trigger(kOpen);
  Trigger(kImportFromExe);
  Trigger(kOpen);
  EXPECT_EQ(app->DocumentCount(), 2u);
  EXPECT_EQ(app->Window().windowTitle(), "Zav Tavrel - demo.cs3");
  ASSERT_EQ(chooser.asked.size(), 2u);
  EXPECT_EQ(chooser.asked.front().filter, "Zav Car Files (*.cs3)|*.cs3|All Files (*.*)|*.*|");
  QSettings stored = StoredSettings();
  EXPECT_EQ(stored.value("Recent File List/File1").toString().toStdString(), std::filesystem::canonical(car).string());
  EXPECT_EQ(stored.value("Recent File List/File2").toString(), "");
  QAction* recent = app->Window().findChild<QAction*>("recentFile1");
  ASSERT_NE(recent, nullptr);
  EXPECT_TRUE(recent->isVisible());
  EXPECT_EQ(recent->text(), "&1 demo.cs3");
}

// A car file cut short makes no document, no window and no recent file.
TEST_F(ApplicationTest, AFileOfTheWrongLengthOpensNothing) {
  StartOnDemo();
  const std::filesystem::path cut = dir / "cut.cs3";
  auto bytes = ReadBytes(DemoGame() / "cars" / "demo.cs3");
  bytes.resize(500);
  WriteBytes(cut, bytes);
  chooser.answers = {cut};
  Trigger(kOpen);
  EXPECT_EQ(app->DocumentCount(), 0u);
  EXPECT_TRUE(Windows().isEmpty());
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"\"" + std::filesystem::canonical(cut).string() +
                                                     "\" is 500 bytes long, but a car shape file is 133952 bytes "
                                                     "long, so it was not read"});
  EXPECT_EQ(StoredSettings().value("Recent File List/File1").toString(), "");
}

// A file named on the command line that cannot be opened is reported, and the
// main window opens empty.
TEST_F(ApplicationTest, ACommandLineFileThatCannotBeOpenedLeavesAnEmptyMainWindow) {
  const std::filesystem::path cut = dir / "cut.cs3";
  WriteBytes(cut, std::vector<std::uint8_t>(500));
  for (const std::filesystem::path& file : {dir / "missing.cs3", cut}) {
    messages.shown.clear();
    StartOptions options;
    options.gameDirectory = DemoGame().string();
    options.patchLevel = 0;
    options.file = QString::fromStdString(file.string());
    StartApp(options);
    EXPECT_EQ(MessageTexts().size(), 1u) << file;
    EXPECT_TRUE(app->Window().isVisible()) << file;
    EXPECT_EQ(app->DocumentCount(), 0u) << file;
  }
}

TEST_F(ApplicationTest, LaunchZavWithoutWineSaysSo) {
  StartOnDemo();
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QByteArray::fromStdString(dir.path().string()));
  Trigger(kLaunchZav);
  qputenv("PATH", path);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Cannot launch Zav: wine, which runs it here, was not found."});
}

// A recent file that is gone is reported once and leaves the list.
TEST_F(ApplicationTest, ARecentFileThatIsGoneLeavesTheList) {
  StartOnDemo();
  const std::filesystem::path car = dir / "gone.cs3";
  std::filesystem::copy_file(DemoGame() / "cars" / "demo.cs3", car);
  chooser.answers = {car};
  Trigger(kOpen);
  Trigger(kClose);
  std::filesystem::remove(car);
  QAction* recent = app->Window().findChild<QAction*>("recentFile1");
  ASSERT_NE(recent, nullptr);
  recent->trigger();
  Settle();
  ASSERT_EQ(MessageTexts().size(), 1u);
  EXPECT_EQ(MessageTexts()[0].rfind("Cannot open ", 0), 0u) << MessageTexts()[0];
  EXPECT_EQ(StoredSettings().value("Recent File List/File1").toString(), "");
  EXPECT_FALSE(recent->isVisible());
}

TEST_F(ApplicationTest, NewWindowNumbersTheTitlesAndTheDocumentGoesWithItsLastWindow) {
  StartOnDemo();
  chooser.answers = {DemoGame() / "cars" / "demo.cs3"};
  Trigger(kOpen);
  Trigger(kNewWindow);
  QStringList titles;
  for (QMdiSubWindow* window : Windows()) titles << window->windowTitle();
  EXPECT_EQ(titles, QStringList({"demo.cs3:1", "demo.cs3:2"}));

  Windows().front()->close();
  Settle();
  ASSERT_EQ(Windows().size(), 1);
  EXPECT_EQ(Windows().front()->windowTitle(), "demo.cs3");
  EXPECT_EQ(app->DocumentCount(), 1u);

  Trigger(kNewWindow);
  Trigger(kClose);
  EXPECT_TRUE(Windows().isEmpty());
  EXPECT_EQ(app->DocumentCount(), 0u);
  EXPECT_EQ(app->Window().windowTitle(), "Zav Tavrel");
}

// Cascade gives the windows the size a new window gets (not the GL view's
// missing size hint); Arrange Icons lines up the minimised windows only.
TEST_F(ApplicationTest, CascadeKeepsAUsableSizeAndArrangeIconsMovesOnlyMinimisedWindows) {
  StartOnDemo();
  Trigger(kImportFromExe);
  Trigger(kNewWindow);
  Trigger(kNewWindow);
  const QList<QMdiSubWindow*> windows = Windows();
  ASSERT_EQ(windows.size(), 3);
  const QSize usable = windows[0]->size();
  ASSERT_GE(usable.width(), 600);
  windows[1]->resize(200, 150);
  windows[2]->showMinimized();
  QCoreApplication::processEvents();
  const QRect before = windows[1]->geometry();

  Trigger(kArrangeIcons);
  EXPECT_EQ(windows[1]->geometry(), before);
  EXPECT_EQ(windows[2]->x(), 0);
  EXPECT_EQ(windows[2]->geometry().bottom(), app->Window().MdiArea().viewport()->height() - 1);

  Trigger(kCascade);
  EXPECT_TRUE(windows[2]->isMinimized());
  QList<QPoint> places;
  for (QMdiSubWindow* window : {windows[0], windows[1]}) {
    EXPECT_EQ(window->size(), usable);
    places << window->pos();
  }
  std::sort(places.begin(), places.end(), [](QPoint a, QPoint b) { return a.x() < b.x(); });
  EXPECT_EQ(places, QList<QPoint>({QPoint(0, 0), QPoint(24, 24)}));
}

TEST_F(ApplicationTest, MenusFollowTheActiveWindow) {
  StartOnDemo();
  EXPECT_EQ(MenuTitles(), TitlesOf(MainMenu()));
  EXPECT_EQ(ActionOf(kImportHelmet).text(), "Load Helmet");
  // Nothing on the route handles these without a document window.
  for (int id : {kImportHelmet, kExportObj, kSetCarTextureJam, kSave, kExportToExe})
    EXPECT_FALSE(ActionOf(id).isEnabled()) << id;
  for (int id : {kOpen, kImportFromExe, kEditPatchLevel, kTriggerDistance, kNew, kLaunchZav, kSetAnimationDelay})
    EXPECT_TRUE(ActionOf(id).isEnabled()) << id;

  Trigger(kImportFromExe);
  EXPECT_EQ(MenuTitles(), TitlesOf(DocumentMenu()));
  EXPECT_EQ(ActionOf(kImportHelmet).text(), "Import Helmet");
  for (int id : {kSave, kSaveAs, kExportToExe, kExportObj, kImportHelmet, kPrint, kRcrDistances, kJamView,
                 kSetCarTextureJam, kShowCar, kNormalView, kZoomIn})
    EXPECT_TRUE(ActionOf(id).isEnabled()) << id;
  // No handler anywhere: undo with nothing done, the clipboard commands, F6, and the JAM view's own command in a car
  // view.
  for (int id : {kUndo, kCut, kCopy, kPaste, kNextPane, kShowJamIds}) EXPECT_FALSE(ActionOf(id).isEnabled()) << id;

  Trigger(kClose);
  EXPECT_EQ(MenuTitles(), TitlesOf(MainMenu()));
}

TEST_F(ApplicationTest, NewOpensNothingAndUseInternalJamsToggles) {
  StartOnDemo();
  Trigger(kNew);
  EXPECT_EQ(app->DocumentCount(), 0u);
  ASSERT_TRUE(app->Program().m_UseInternalJams);
  Trigger(kUseInternalJams);
  EXPECT_FALSE(app->Program().m_UseInternalJams);
  EXPECT_FALSE(ActionOf(kUseInternalJams).isChecked());
  Trigger(kUseInternalJams);
  EXPECT_TRUE(ActionOf(kUseInternalJams).isChecked());
}

TEST_F(ApplicationTest, ToolbarToggleHidesTheMainToolbarOnly) {
  StartOnDemo();
  auto* mainToolbar = app->Window().findChild<QWidget*>("mainToolbar");
  auto* displayToolbar = app->Window().findChild<QWidget*>("displayToolbar");
  Trigger(kToggleToolbar);
  EXPECT_FALSE(mainToolbar->isVisible());
  EXPECT_TRUE(displayToolbar->isVisible());
  EXPECT_FALSE(ActionOf(kToggleToolbar).isChecked());
}

// Run by its own entry with the platform's GL switched off; skipped elsewhere.
TEST_F(ApplicationTest, WithoutOpenGlACarWindowSaysSoAndLeavesNoDocument) {
  if (qEnvironmentVariable("QT_XCB_GL_INTEGRATION") != "none") GTEST_SKIP() << "needs QT_XCB_GL_INTEGRATION=none";
  StartOnDemo();
  Trigger(kImportFromExe);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Cannot Make OpenGL Context"});
  EXPECT_EQ(app->DocumentCount(), 0u);
  EXPECT_TRUE(app->Window().MdiArea().subWindowList().isEmpty());
  EXPECT_EQ(app->Window().Tree().Model().rowCount(app->Window().Tree().Model().index(0, 0)), 0);
}

}  // namespace
}  // namespace tavrel::test
