// tavrel-cli outline FILE [--kind K] [--images]: a shape's items as the tree lists them.
// tavrel-cli jam outline FILE [--jam-seed N]: a JAM file's items as the tree lists
// them under the file's item.
#include <iostream>

#include "base/Files.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/OutlineText.h"
#include "cli/ShapeArgument.h"
#include "shape/JamOutline.h"
#include "shape/Outline.h"
#include "textures/CarMappingTable.h"
#include "textures/JAM.h"

namespace tavrel::cli {
namespace {

struct OutlineOptions {
  std::string file;
  std::string kind = "car";
  bool images = false;
};

int runOutline(const OutlineOptions& options) {
  const ShapeKind kind = *kindFromName(options.kind);
  StreamMessages messages(std::cerr);
  const LoadedShape loaded = LoadShapeArgument(options.file, kind, messages);
  if (!loaded.car) return loaded.status;
  // As the program does, from texture.cfg in the working directory.
  CarMappingTable mapping;
  mapping.ReadTextureCfg(std::filesystem::current_path());
  OutlineNode top("", RootImage(kind));
  PrintOutline(std::cout, BuildOutline(top, *loaded.car, RootImage(kind), mapping), 0, options.images);
  return loaded.status;
}

struct JamOutlineOptions {
  std::string file;
  std::uint32_t seed = kDefaultJamSeed;
};

// A file that cannot be read is a usage error; one the reader refuses lists
// itself as not loaded, as in the tree, and fails.
int runJamOutline(const JamOutlineOptions& options) {
  StreamMessages messages(std::cerr);
  auto jam = std::make_shared<JAM>(options.file);
  const bool loaded = jam->Load(true, messages, options.seed);
  if (!loaded && !fileSize(options.file)) return kUsage;
  OutlineNode fileItem(options.file, 0);
  AddJamOutline(fileItem, jam);
  for (const auto& line : fileItem.Children()) PrintOutline(std::cout, *line, 0, false);
  return loaded ? kSuccess : kFailed;
}

}  // namespace

void addOutlineCommand(CLI::App& app) {
  auto options = std::make_shared<OutlineOptions>();
  CLI::App* outline = app.add_subcommand("outline", "Print a shape's outline as the tree lists it");
  outline->add_option("FILE", options->file, "Shape or part file")->required();
  outline->add_option("--kind", options->kind, "Kind of shape, which fixes its table offset and item image")
      ->check(CLI::IsMember(ShapeKindNames()));
  outline->add_flag("--images", options->images, "Put each item's image index and a tab before its label");
  outline->callback([options] { exitStatus() = runOutline(*options); });
}

void addJamOutlineCommand(CLI::App& app) {
  auto options = std::make_shared<JamOutlineOptions>();
  // The "jam" group is made by addJamCommands.
  CLI::App* outline =
      app.get_subcommand("jam")->add_subcommand("outline", "Print a JAM file's outline as the tree lists it");
  outline->add_option("FILE", options->file, "JAM file")->required();
  outline->add_option("--jam-seed", options->seed, "Seed of the files' scrambling key");
  outline->callback([options] { exitStatus() = runJamOutline(*options); });
}

}  // namespace tavrel::cli
