// tavrel: the desktop editor for the car shapes of Zav.

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>
#include <cstdio>
#include <optional>
#include <string_view>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/PatchLevelDialog.h"
#include "app/QtDialogs.h"
#include "app/QtSettings.h"
#include "app/Screenshot.h"

namespace {

struct CommandLine {
  QString settingsFile;
  tavrel::StartOptions start;
  std::optional<tavrel::ScreenshotOptions> screenshot;
};

// "W,H"; an empty size for any other text.
QSize ParseSize(const QString& text) {
  const QStringList parts = text.split(',');
  bool wide = false;
  bool high = false;
  if (parts.size() != 2) return {};
  const QSize size(parts[0].toInt(&wide), parts[1].toInt(&high));
  return wide && high ? size : QSize();
}

// A whole number of at least `least`.
std::optional<int> ParseCount(const QString& text, int least) {
  bool ok = false;
  const int value = text.toInt(&ok);
  if (!ok || value < least) return std::nullopt;
  return value;
}

// False, after printing why, when the arguments make no sense.
bool ParseCommandLine(const QCoreApplication& app, CommandLine& line) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Editor for the car shapes of the racing game Zav.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument("FILE", "A car file (.cs3) to open.", "[FILE.cs3]");
  const QCommandLineOption settings("settings", "Keep every setting in this INI file.", "FILE.ini");
  const QCommandLineOption gameDir("game-dir", "The game's folder for this run (nothing is stored).", "DIR");
  const QCommandLineOption patchLevel("patch-level", "The patch level for this run: 0 or 1 (nothing is stored).",
                                      "0|1");
  const QCommandLineOption importExe("import-exe", "Import the car from the game's executable at start.");
  const QCommandLineOption screenshot("screenshot",
                                      "Write the car view's picture of the car to this PNG file and quit.", "OUT.png");
  const QCommandLineOption size("size", "The picture's size for --screenshot (default 1024,768).", "W,H");
  const QCommandLineOption view("view",
                                "A fixed view for --screenshot: right, left, front, bottom, top, back, "
                                "front-left, front-right, back-left or back-right.",
                                "NAME");
  const QCommandLineOption camera("camera", "The view from in-car camera N (1 to 9) for --screenshot.", "N");
  const QCommandLineOption set("set", "Display settings for --screenshot, e.g. showTexture=1,showPoints=0.",
                               "KEY=0|1,...");
  const QCommandLineOption frames("frames", "Draw N frames first and report their mean time (--screenshot).", "N");
  parser.addOptions({settings, gameDir, patchLevel, importExe, screenshot, size, view, camera, set, frames});
  parser.process(app);

  line.settingsFile = parser.isSet(settings) ? parser.value(settings) : qEnvironmentVariable("TAVREL_SETTINGS");
  // The settings are read whole: a pipe would block the start for ever, a device or a folder never holds them.
  const QFileInfo settingsInfo(line.settingsFile);
  if (!line.settingsFile.isEmpty() && settingsInfo.exists() && !settingsInfo.isFile()) {
    std::fprintf(stderr, "tavrel: the settings file %s is not a regular file\n", qPrintable(line.settingsFile));
    return false;
  }
  if (parser.isSet(gameDir)) line.start.gameDirectory = parser.value(gameDir).toStdString();
  if (parser.isSet(patchLevel)) {
    const QString level = parser.value(patchLevel);
    if (level != "0" && level != "1") {
      std::fprintf(stderr, "tavrel: --patch-level takes 0 or 1\n");
      return false;
    }
    line.start.patchLevel = level.toInt();
  }
  line.start.importFromExe = parser.isSet(importExe);
  if (parser.positionalArguments().size() > 1) {
    std::fprintf(stderr, "tavrel: one file at most\n");
    return false;
  }
  if (!parser.positionalArguments().isEmpty()) line.start.file = parser.positionalArguments().front();
  if (!parser.isSet(screenshot)) {
    for (const QCommandLineOption* option : {&size, &view, &camera, &set, &frames})
      if (parser.isSet(*option)) {
        std::fprintf(stderr, "tavrel: --%s goes with --screenshot\n", qPrintable(option->names().front()));
        return false;
      }
    return true;
  }
  tavrel::ScreenshotOptions& shot = line.screenshot.emplace();
  shot.out = parser.value(screenshot);
  if (parser.isSet(size)) shot.size = ParseSize(parser.value(size));
  if (parser.isSet(view)) shot.view = parser.value(view).toStdString();
  // Not a whole number of at least 1: camera 0, which the check refuses.
  if (parser.isSet(camera)) shot.camera = ParseCount(parser.value(camera), 1).value_or(0);
  if (const auto error = tavrel::ScreenshotOptionsError(shot)) {
    std::fprintf(stderr, "tavrel: %s\n", error->c_str());
    return false;
  }
  shot.set = parser.value(set).toStdString();
  if (parser.isSet(frames)) {
    const auto count = ParseCount(parser.value(frames), 1);
    if (!count) {
      std::fprintf(stderr, "tavrel: --frames takes a positive number\n");
      return false;
    }
    shot.frames = *count;
  }
  return true;
}

void NameTheProgram() {
  QCoreApplication::setOrganizationName(tavrel::kOrganisation);
  QCoreApplication::setApplicationName(tavrel::kApplicationName);
  QCoreApplication::setApplicationVersion(TAVREL_VERSION);
}

// Help and the version need no display: they are printed before the GUI starts.
bool AsksForHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help" || argument == "--help-all" || argument == "-v" ||
        argument == "--version" || argument == "-?")
      return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AsksForHelpOrVersion(argc, argv)) {
    QCoreApplication core(argc, argv);
    NameTheProgram();
    CommandLine line;
    return ParseCommandLine(core, line) ? 0 : 2;  // printing help or the version exits here
  }
  QApplication app(argc, argv);
  NameTheProgram();
  QApplication::setDesktopFileName("tavrel");

  CommandLine line;
  if (!ParseCommandLine(app, line)) return 2;

  tavrel::QtSettings settings(line.settingsFile);
  // Unsaved changes are kept beside the settings file the run was given, else in the user's data folder.
  const QString dataFolder = line.settingsFile.isEmpty()
                                 ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                                 : QFileInfo(line.settingsFile).absolutePath();
  line.start.recoveryFolder = std::filesystem::path(dataFolder.toStdString()) / "recovery";
  if (line.screenshot) return tavrel::RunScreenshot(*line.screenshot, line.start, settings);
  tavrel::QtMessages messages;
  tavrel::QtFileChooser chooser(settings);
  tavrel::PatchLevelDialogQuestion patchLevel;
  tavrel::Application application(settings, messages, chooser, patchLevel);
  messages.SetParent(&application.Window());
  chooser.SetParent(&application.Window());
  patchLevel.SetParent(&application.Window());
  application.Start(line.start);
  return QApplication::exec();
}
