// tavrel-cli export-gltf FILE GAME_DIR OUT.gltf [--livery NAME]
//            export-gltf --exe EXE --patch-level N GAME_DIR OUT.gltf [--livery NAME]
// The car as the textured car view draws it, as glTF 2.0 with its buffer and the
// texture slots' pictures beside it.
#include <iostream>
#include <optional>

#include "base/Files.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "cli/Commands.h"
#include "cli/PngFile.h"
#include "document/Document.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"

namespace tavrel::cli {
namespace {

struct ExportGltfOptions {
  std::vector<std::string> paths;  // [FILE] GAME_DIR OUT.gltf
  std::optional<std::string> exe;
  int patchLevel = 0;
  std::string livery = kDefaultLivery;
  std::uint32_t jamSeed = kDefaultJamSeed;
};

// A document holding the car from a shape file (without parts) or from an
// executable (with them); the exit status when there is none to export.
int loadCar(Document& document, const ExportGltfOptions& options, const std::string& input) {
  if (!fileSize(input)) {
    std::cerr << "Cannot read " << input << '\n';
    return kUsage;
  }
  if (options.exe)
    document.NewFromExecutable();
  else
    document.Open(input);
  return document.HasCar() && document.GetCar()->m_Valid ? kSuccess : kFailed;
}

int runExportGltf(const ExportGltfOptions& options) {
  const std::size_t wanted = options.exe ? 2 : 3;
  if (options.paths.size() != wanted) {
    std::cerr << (options.exe ? "Give GAME_DIR and OUT.gltf with --exe\n" : "Give FILE, GAME_DIR and OUT.gltf\n");
    return kUsage;
  }
  const std::string& gameDir = options.paths[wanted - 2];
  std::error_code error;
  if (!std::filesystem::is_directory(gameDir, error)) {
    std::cerr << "Cannot read " << gameDir << '\n';
    return kUsage;
  }
  MemorySettings settings;
  ProgramValues program(settings);
  program.OverrideGameLocation(gameDir);
  program.OverridePatchLevel(options.patchLevel);
  if (options.exe) program.OverrideExecutablePath(*options.exe);
  program.m_TextureCfgFolder = gameDir;
  program.m_JamSeed = options.jamSeed;
  StreamMessages messages(std::cerr);
  FixedFileChooser chooser(options.paths[wanted - 1]);
  Document document(program, messages, chooser);
  document.ListNothing();
  if (const int status = loadCar(document, options, options.exe ? *options.exe : options.paths[0]); status != kSuccess)
    return status;
  return document.ExportGltf(options.livery, PngBytes) ? kSuccess : kFailed;
}

}  // namespace

void addExportGltfCommand(CLI::App& app) {
  auto options = std::make_shared<ExportGltfOptions>();
  CLI::App* command = app.add_subcommand(
      "export-gltf",
      "Write the car as the textured car view draws it: glTF 2.0 with its buffer and textures beside it");
  command
      ->add_option("PATHS", options->paths,
                   "[FILE] GAME_DIR OUT.gltf: the shape file (not with --exe), the game "
                   "directory with texture.cfg and the JAM files, the file to write")
      ->required();
  command->add_option("--exe", options->exe, "Read the car and its parts from this executable instead of a file");
  command->add_option("--patch-level", options->patchLevel, "The executable's patch level (with --exe)");
  command->add_option("--livery", options->livery, "Livery file in zavjams/Liveries");
  command->add_option("--jam-seed", options->jamSeed, "Seed the JAM files are scrambled with");
  command->callback([options] { exitStatus() = runExportGltf(*options); });
}

}  // namespace tavrel::cli
