// tavrel-cli jam info | png | extract: a JAM file's records as JSON and its
// items' pictures as PNG files.
#include <iostream>

#include <nlohmann/json.hpp>

#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/PngFile.h"
#include "textures/JAM.h"

namespace tavrel::cli {
namespace {

struct JamOptions {
  std::string file;
  std::uint32_t seed = kDefaultJamSeed;
  int item = 0;
  std::string out;
};

// Loads the options' file into `jam`: kSuccess, kUsage for a file that cannot be
// read, kFailed for one the reader refuses (its message on stderr).
int loadJam(JAM& jam, const JamOptions& options) {
  if (!fileSize(options.file)) {
    std::cerr << "Cannot read " << options.file << '\n';
    return kUsage;
  }
  StreamMessages messages(std::cerr);
  return jam.Load(true, messages, options.seed) ? kSuccess : kFailed;
}

nlohmann::ordered_json tableJson(ByteView table) { return std::vector<int>(table.begin(), table.end()); }

nlohmann::ordered_json itemJson(const JAM& jam, int i) {
  nlohmann::ordered_json idx18 = nlohmann::ordered_json::array();
  for (int k = 0; k < 8; ++k) idx18.push_back(jam.GetIdx18(i, k));
  return {{"x", jam.GetX(i)},
          {"y", jam.GetY(i)},
          {"width", jam.GetWidth(i)},
          {"height", jam.GetHeight(i)},
          {"idx08", jam.GetIdx08(i)},
          {"idx0A", jam.GetIdx0A(i)},
          {"palettePtr", jam.GetPalettePtr(i)},
          {"idx0E", jam.GetIdx0E(i)},
          {"paletteSize", jam.GetPaletteSize(i)},
          {"jamId", jam.GetJamId(i)},
          {"idx14", jam.GetIdx14(i)},
          {"idx16", jam.GetIdx16(i)},
          {"idx17", jam.GetIdx17(i)},
          {"idx18", idx18},
          {"palette1", tableJson(jam.GetPalette(i, 1))},
          {"palette2", tableJson(jam.GetPalette(i, 2))},
          {"palette3", tableJson(jam.GetPalette(i, 3))},
          {"palette4", tableJson(jam.GetPalette(i, 4))}};
}

// One object with "count", "totalImageSize" and "items", written item by item:
// the colour tables of a large file as JSON values are many times its size.
int runInfo(const JamOptions& options) {
  JAM jam(options.file);
  if (const int status = loadJam(jam, options); status != kSuccess) return status;
  std::cout << "{\"count\":" << jam.ItemCount() << ",\"totalImageSize\":" << jam.GetTotalImageSize() << ",\"items\":[";
  for (int i = 0; i < jam.ItemCount(); ++i) std::cout << (i > 0 ? "," : "") << itemJson(jam, i).dump();
  std::cout << "]}\n";
  return kSuccess;
}

// Writes item i's picture to `path`, then lets go of it; false with a message
// on stderr when it has none or the file cannot be written.
bool writeItemPng(JAM& jam, int i, const std::filesystem::path& path) {
  Picture picture;
  const bool made = jam.MakeBitmap(picture, i) && !picture.rgb.empty();
  jam.ReleaseItem(i);
  if (!made) {
    std::cerr << format("Item %d has no picture (%d x %d pixels)", i, jam.GetWidth(i), jam.GetHeight(i)) << '\n';
    return false;
  }
  const WriteResult written = WritePng(path, picture);
  if (!written) std::cerr << WriteFailureMessage(written) << '\n';
  return static_cast<bool>(written);
}

int runPng(const JamOptions& options) {
  JAM jam(options.file);
  if (const int status = loadJam(jam, options); status != kSuccess) return status;
  if (options.item < 0 || options.item >= jam.ItemCount()) {
    std::cerr << format("%s has %d items: there is no item %d", options.file.c_str(), jam.ItemCount(), options.item)
              << '\n';
    return kFailed;
  }
  return writeItemPng(jam, options.item, options.out) ? kSuccess : kFailed;
}

// Every item that has a picture is written, even when an earlier one failed.
int runExtract(const JamOptions& options) {
  JAM jam(options.file);
  if (const int status = loadJam(jam, options); status != kSuccess) return status;
  std::error_code error;
  std::filesystem::create_directories(options.out, error);
  if (error) {
    std::cerr << "Cannot create " << options.out << '\n';
    return kFailed;
  }
  bool allWritten = true;
  for (int i = 0; i < jam.ItemCount(); ++i)
    allWritten = writeItemPng(jam, i, std::filesystem::path(options.out) / format("item-%d.png", i)) && allWritten;
  return allWritten ? kSuccess : kFailed;
}

// A JAM subcommand over FILE with the seed option; `run` gives its status.
CLI::App* addJamSubcommand(CLI::App& jam, const std::string& name, const std::string& description,
                           const std::shared_ptr<JamOptions>& options, int (*run)(const JamOptions&)) {
  CLI::App* command = jam.add_subcommand(name, description);
  command->add_option("FILE", options->file, "JAM file")->required();
  command->add_option("--jam-seed", options->seed, "Seed of the files' scrambling key");
  command->callback([options, run] { exitStatus() = run(*options); });
  return command;
}

}  // namespace

void addJamCommands(CLI::App& app) {
  CLI::App* jam = app.add_subcommand("jam", "Read JAM texture files");
  jam->require_subcommand(1);

  addJamSubcommand(*jam, "info", "Print a JAM file's items and colour tables as JSON", std::make_shared<JamOptions>(),
                   runInfo);

  auto png = std::make_shared<JamOptions>();
  CLI::App* pngCommand = addJamSubcommand(*jam, "png", "Write one item's picture as a PNG file", png, runPng);
  pngCommand->add_option("--item", png->item, "Item number, from 0")->required();
  pngCommand->add_option("--out", png->out, "PNG file to write")->required();

  auto extract = std::make_shared<JamOptions>();
  addJamSubcommand(*jam, "extract", "Write every item's picture as DIR/item-<i>.png", extract, runExtract)
      ->add_option("DIR", extract->out, "Folder for the PNG files")
      ->required();
}

}  // namespace tavrel::cli
