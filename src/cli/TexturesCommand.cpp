// tavrel-cli textures GAME_DIR --out DIR: the four texture slots a new car view
// makes from the game's chassis and livery JAMs, as PNG files.
#include <iostream>

#include "base/Format.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/PngFile.h"
#include "textures/TextureSlots.h"

namespace tavrel::cli {
namespace {

struct TexturesOptions {
  TextureSources sources;
  int useInternalJams = 1;
  int drawRcrJam = 0;
  std::string out;
};

// Missing JAM files are reported as the view reports them; the slots are
// written all the same, as the view would show them.
int runTextures(TexturesOptions options) {
  std::error_code error;
  if (!std::filesystem::is_directory(options.sources.m_GameLocation, error)) {
    std::cerr << "Cannot read " << options.sources.m_GameLocation << '\n';
    return kUsage;
  }
  std::filesystem::create_directories(options.out, error);
  if (error) {
    std::cerr << "Cannot create " << options.out << '\n';
    return kFailed;
  }
  options.sources.m_UseInternalJams = options.useInternalJams != 0;
  options.sources.m_DrawRcrJam = options.drawRcrJam != 0;
  StreamMessages messages(std::cerr);
  TextureSlots slots;
  ResetTextureBitmaps(slots);
  LoadCarTextures(slots, options.sources, messages);
  for (int slot = 1; slot <= TextureSlots::kSlotCount; ++slot) {
    const auto path = std::filesystem::path(options.out) / format("slot-%d.png", slot);
    if (const WriteResult written = WritePng(path, slots.Slot(slot)); !written) {
      std::cerr << WriteFailureMessage(written) << '\n';
      return kFailed;
    }
  }
  return kSuccess;
}

}  // namespace

void addTexturesCommand(CLI::App& app) {
  auto options = std::make_shared<TexturesOptions>();
  CLI::App* textures = app.add_subcommand("textures", "Write the car view's four texture slots as PNG files");
  textures->add_option("GAME_DIR", options->sources.m_GameLocation, "The game's folder")->required();
  textures->add_option("--livery", options->sources.m_CarJamName, "Livery JAM file in zavjams/Liveries")
      ->capture_default_str();
  textures->add_option("--internal-jams", options->useInternalJams, "0 puts the built-in bitmap in place of JAM items")
      ->check(CLI::Range(0, 1))
      ->capture_default_str();
  textures->add_option("--draw-rcr", options->drawRcrJam, "1 puts the built-in bitmap in place of JAM items")
      ->check(CLI::Range(0, 1))
      ->capture_default_str();
  textures->add_option("--jam-seed", options->sources.m_JamSeed, "Seed of the files' scrambling key");
  textures->add_option("--out", options->out, "Folder for slot-1.png to slot-4.png")->required();
  textures->callback([options] { exitStatus() = runTextures(*options); });
}

}  // namespace tavrel::cli
