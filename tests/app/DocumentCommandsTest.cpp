// The document's commands reached through the program's actions.

#include <QDir>
#include <QPrinter>
#include <QStatusBar>
#include <regex>

#include "AppFixture.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "document/Document.h"
#include "shape/CameraFile.h"
#include "shape/ExePositions.h"
#include "view/CarView.h"

namespace tavrel::test {
namespace {

using namespace command;

class DocumentCommandsTest : public AppFixture {
 protected:
  Document& ImportDemo(const std::filesystem::path& game = DemoGame()) {
    StartOnDemo(game);
    Trigger(kImportFromExe);
    EXPECT_TRUE(app->ActiveDocument()->HasCar());
    return *app->ActiveDocument();
  }
};

// A car imported from the game has no file: Save asks for one, then saves to it.
TEST_F(DocumentCommandsTest, SaveAsksForAFileOnlyOnceAndSaysWhereItSaved) {
  ImportDemo();
  const std::filesystem::path saved = dir / "saved.cs3";
  chooser.answers = {saved};
  Trigger(kSave);
  EXPECT_EQ(ReadBytes(saved), ReadBytes(DemoGame() / "cars" / "demo.cs3"));
  EXPECT_EQ(app->Window().statusBar()->currentMessage(),
            "Saved to " + QDir::toNativeSeparators(QString::fromStdString(saved.string())));
  std::filesystem::remove(saved);
  Trigger(kSave);
  EXPECT_EQ(chooser.asked.size(), 1u) << "saved to the document's own file";
  EXPECT_TRUE(std::filesystem::exists(saved));
  Trigger(kSaveAs);  // cancelled: nothing written
  EXPECT_EQ(chooser.asked.size(), 2u);
  EXPECT_EQ(std::ranges::count_if(std::filesystem::directory_iterator(dir.path()),
                                  [](const auto& entry) { return entry.path().extension() == ".cs3"; }),
            1);
}

TEST_F(DocumentCommandsTest, ExportToExeAnsweredNoChangesOnlyTheCarAndTheCameras) {
  const std::filesystem::path game = dir / "game";
  std::filesystem::copy(DemoGame(), game, std::filesystem::copy_options::recursive);
  Car& car = *ImportDemo(game).GetCar();
  car.m_Points.at(0).m_X += 3;
  car.m_Helmet->m_Points.at(0).m_X += 3;
  car.m_Cameras[0].m_Record.X += 5;
  const auto before = ReadBytes(game / "zav.exe");

  messages.answers = {false};
  Trigger(kExportToExe);
  EXPECT_EQ(messages.asked, std::vector<std::string>{"Do you want advanced exporting!..."});
  const ExePositions& at = kOriginalPositions;
  ExpectChangesOnlyIn(
      before, ReadBytes(game / "zav.exe"),
      {{at.car, at.car + std::int64_t(Car::kImageSize)}, {at.cameras, at.cameras + std::int64_t(kCameraFileSize)}});
}

struct FileCommandCase {
  int id;
  std::string file;
  bool saysNoCar;  // on an empty document; the OBJ export writes an empty file instead
};

// The exchange commands: on an empty document they answer "No Car Loaded" once
// their dialog is answered, and with the demo car each export writes its file
// and the import of that file takes it without a word.
const std::vector<FileCommandCase> kExchangeCases = {
    {kExportCameras, "cameras.cam", true}, {kImportCameras, "cameras.cam", true}, {kExportCtf, "car.ctf", true},
    {kImportCtf, "car.ctf", true},         {kExportObj, "car.obj", false},
};

TEST_F(DocumentCommandsTest, ExchangeCommandsOnAnEmptyDocumentSayNoCarLoaded) {
  StartOnDemo(dir / "no-game-here");
  Trigger(kImportFromExe);
  ASSERT_FALSE(app->ActiveDocument()->HasCar());
  for (const FileCommandCase& command : kExchangeCases) {
    messages.shown.clear();
    chooser.answers = {dir / command.file};
    Trigger(command.id);
    EXPECT_EQ(MessageTexts(),
              command.saysNoCar ? std::vector<std::string>{"No Car Loaded"} : std::vector<std::string>{})
        << command.id;
    if (command.saysNoCar)
      EXPECT_FALSE(std::filesystem::exists(dir / command.file)) << command.id;
    else
      EXPECT_EQ(std::filesystem::file_size(dir / command.file), 0u);
  }
  // Without a car there is no part: the part commands ask for no file at all.
  chooser.asked.clear();
  for (const PartCommands& part : PartCommandIds())
    for (int id : {part.exportId, part.importId}) Trigger(id);
  EXPECT_TRUE(chooser.asked.empty());
}

TEST_F(DocumentCommandsTest, ExchangeAndPartCommandsWriteAndReadTheirFiles) {
  ImportDemo();
  for (const FileCommandCase& command : kExchangeCases) {
    chooser.answers = {dir / command.file};
    Trigger(command.id);
    EXPECT_GT(std::filesystem::file_size(dir / command.file), 0u) << command.id;
  }
  for (const PartCommands& part : PartCommandIds()) {
    const std::filesystem::path file = dir / ("part" + std::to_string(part.exportId));
    chooser.answers = {file, file};
    Trigger(part.exportId);
    Trigger(part.importId);
    EXPECT_TRUE(std::filesystem::exists(file)) << part.exportId;
  }
  EXPECT_TRUE(MessageTexts().empty()) << MessageTexts().front();
  EXPECT_TRUE(app->ActiveDocument()->HasCar());
}

TEST_F(DocumentCommandsTest, PrintingPutsTheCarsPictureOnThePage) {
  ImportDemo();
  const std::filesystem::path pdf = dir / "car.pdf";
  app->Printer().setOutputFormat(QPrinter::PdfFormat);
  app->Printer().setOutputFileName(QString::fromStdString(pdf.string()));
  Trigger(kPrintDirect);
  // One picture on the page, of the view's own size in pixels.
  const std::vector<std::uint8_t> bytes = ReadBytes(pdf);
  const std::string text(bytes.begin(), bytes.end());
  const std::regex image(R"(/Subtype\s*/Image\b[^>]*?/Width\s+(\d+)[^>]*?/Height\s+(\d+))");
  std::smatch found;
  ASSERT_TRUE(std::regex_search(text, found, image)) << "no picture on the page";
  const QSize pixels = app->ActiveView()->size() * app->ActiveView()->devicePixelRatio();
  EXPECT_EQ(std::stoi(found[1]), pixels.width());
  EXPECT_EQ(std::stoi(found[2]), pixels.height());
}

}  // namespace
}  // namespace tavrel::test
