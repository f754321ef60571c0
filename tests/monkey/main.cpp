// tavrel_monkey [--seed N] [--seconds S] [--actions N]: the editor on a demo
// game of its own, driven by random actions until the time or the count of
// actions is up. A crash or a sanitizer report is the failure; the log's last
// lines, with the seed and the count, reproduce it.

#include <QApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "app/Application.h"
#include "app/PatchLevelDialog.h"
#include "app/QtSettings.h"
#include "demo/DemoGame.h"
#include "monkey/DialogAnswerer.h"
#include "monkey/Monkey.h"
#include "monkey/RandomAnswers.h"
#include "monkey/Say.h"
#include "support/TestSupport.h"

namespace {

struct Options {
  std::uint32_t seed = static_cast<std::uint32_t>(std::time(nullptr));
  long seconds = 60;
  long actions = 0;  // no limit
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view name = argv[i];
    const long value = std::strtol(argv[i + 1], nullptr, 10);
    if (name == "--seed") {
      options.seed = static_cast<std::uint32_t>(value);
    } else if (name == "--seconds") {
      options.seconds = value;
    } else if (name == "--actions") {
      options.actions = value;
    } else {
      return false;
    }
  }
  return argc % 2 == 1;
}

// The toolkit keeps its own settings and caches under the home folder; the run
// gives it one of its own, so nothing of the user's is read or written.
void UseHomeIn(const std::filesystem::path& home) {
  for (const char* name : {"config", "cache", "data"}) std::filesystem::create_directories(home / name);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  setenv("XDG_CACHE_HOME", (home / "cache").c_str(), 1);
  setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
}

// Waits, handling events, until the program has a document or the wait is over.
void WaitForDocument(tavrel::Application& app) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (app.DocumentCount() == 0 && std::chrono::steady_clock::now() < end) QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tavrel;
  using namespace tavrel::monkey;
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: %s [--seed N] [--seconds S] [--actions N]\n", argv[0]);
    return 2;
  }
  ScratchFolder folder;
  const std::filesystem::path game = folder / "demo";
  UseHomeIn(folder / "home");
  QApplication qt(argc, argv);
  Say("seed %u, %ld seconds, in %s\n", options.seed, options.seconds, folder.path().c_str());

  Random random(options.seed);
  RandomMessages messages(random);
  if (!demo::MakeDemoGame(game, {}, messages)) return 1;
  // texture.cfg is read from the working folder.
  std::filesystem::current_path(game);

  QtSettings settings(QString::fromStdString((folder / "settings.ini").string()));
  RandomChooser chooser(random, game);
  // A print dialog is accepted only when there is no printer to choose instead of the file.
  DialogAnswerer answerer(random, QPrinterInfo::availablePrinterNames().isEmpty());
  int actions = 0;
  {
    PatchLevelDialogQuestion patchLevel;
    Application app(settings, messages, chooser, patchLevel);
    app.Printer().setOutputFormat(QPrinter::PdfFormat);
    app.Printer().setOutputFileName(QString::fromStdString((folder / "printed.pdf").string()));
    StartOptions start;
    start.gameDirectory = game.string();
    start.patchLevel = 0;
    start.importFromExe = true;
    app.Start(start);
    WaitForDocument(app);
    app.OpenFile(QString::fromStdString((game / "cars" / "demo.cs3").string()));

    Monkey monkey(app, random, game);
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(options.seconds);
    while (std::chrono::steady_clock::now() < end && (options.actions == 0 || actions < options.actions))
      monkey.Act(++actions);
    if (!monkey.UndoEverything()) return 1;
  }
  Say("seed %u: %d actions, %d messages, %d dialog answers\n", options.seed, actions, messages.count,
      answerer.answered);
  return 0;
}
