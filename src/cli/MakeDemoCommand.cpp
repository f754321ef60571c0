// tavrel-cli make-demo DIR [--patch-level 0|1] [--jam-seed N]: a demo game
// directory, the same bytes on every run.
#include <iostream>

#include "base/Messages.h"
#include "cli/Commands.h"
#include "demo/DemoGame.h"

namespace tavrel::cli {
namespace {

struct MakeDemoOptions {
  std::string directory;
  demo::DemoGameOptions game;
};

int runMakeDemo(const MakeDemoOptions& options) {
  StreamMessages messages(std::cerr);
  return demo::MakeDemoGame(options.directory, options.game, messages) ? kSuccess : kFailed;
}

}  // namespace

void addMakeDemoCommand(CLI::App& app) {
  auto options = std::make_shared<MakeDemoOptions>();
  CLI::App* command = app.add_subcommand(
      "make-demo", "Write a demo game: zav.exe, the JAM files, texture.cfg and the car's files in cars/");
  command
      ->add_option("DIR", options->directory,
                   "Folder to write the game into; none of the game's files may be there yet")
      ->required();
  command->add_option("--patch-level", options->game.patchLevel, "Executable layout: 0 original, 1 the 1.13 patch")
      ->check(CLI::IsMember({0, 1}));
  command->add_option("--jam-seed", options->game.jamSeed, "Seed the JAM files are scrambled with");
  command->callback([options] { exitStatus() = runMakeDemo(*options); });
}

}  // namespace tavrel::cli
