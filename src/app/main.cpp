// tavrel: the desktop editor for the car shapes of Zav.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/QtDialogs.h"
#include "app/QtSettings.h"

namespace {

struct CommandLine {
  QString settingsFile;
  tavrel::StartOptions start;
};

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
  parser.addOptions({settings, gameDir, patchLevel, importExe});
  parser.process(app);

  line.settingsFile = parser.isSet(settings) ? parser.value(settings) : qEnvironmentVariable("TAVREL_SETTINGS");
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
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(tavrel::kOrganisation);
  QApplication::setApplicationName(tavrel::kApplicationName);
  QApplication::setApplicationVersion(TAVREL_VERSION);
  QApplication::setDesktopFileName("tavrel");

  CommandLine line;
  if (!ParseCommandLine(app, line)) return 2;

  tavrel::QtSettings settings(line.settingsFile);
  tavrel::QtMessages messages;
  tavrel::QtFileChooser chooser;
  tavrel::Application application(settings, messages, chooser);
  messages.SetParent(&application.Window());
  chooser.SetParent(&application.Window());
  if (!application.Start(line.start)) return 1;
  return QApplication::exec();
}
