// tavrel-cli export-gltf FILE GAME_DIR OUT.gltf [--livery NAME]
//            export-gltf --exe EXE --patch-level N GAME_DIR OUT.gltf [--livery NAME]
// The car as the textured car view draws it, as glTF 2.0 with its buffer and the
// texture slots' pictures beside it.
#include <iostream>
#include <optional>

#include "base/Files.h"
#include "base/Messages.h"
#include "cli/CarScene.h"
#include "cli/Commands.h"
#include "cli/GltfWriter.h"
#include "cli/PngFile.h"
#include "cli/ShapeArgument.h"
#include "shape/ExePositions.h"
#include "shape/GameExecutable.h"
#include "textures/CarMappingTable.h"
#include "textures/TextureSlots.h"

namespace tavrel::cli {
namespace {

struct ExportGltfOptions {
  std::vector<std::string> paths;  // [FILE] GAME_DIR OUT.gltf
  std::optional<std::string> exe;
  int patchLevel = 0;
  std::string livery = "Mclare98.jam";
  std::uint32_t jamSeed = kDefaultJamSeed;
};

// The car from a shape file (without parts) or from an executable (with them).
// Nothing, with the exit status in `status`, when there is none to export.
std::unique_ptr<Car> loadCar(const ExportGltfOptions& options, const std::string& file, Messages& messages,
                             int& status) {
  if (!options.exe) {
    LoadedShape loaded = LoadShapeArgument(file, ShapeKind::Car, messages);
    status = loaded.status;
    return status == kSuccess ? std::move(loaded.car) : nullptr;
  }
  if (!fileSize(*options.exe)) {
    std::cerr << "Cannot read " << *options.exe << '\n';
    status = kUsage;
    return nullptr;
  }
  std::unique_ptr<Car> car = ImportFromExe(*options.exe, PositionsForPatchLevel(options.patchLevel), messages);
  status = car && car->m_Valid ? kSuccess : kFailed;
  return status == kSuccess ? std::move(car) : nullptr;
}

// The buffer and the pictures, then the .gltf that refers to them, staged
// together: a failure leaves none of them new, never a new .gltf beside an old .bin.
WriteResult writeAsset(const GltfAsset& asset, const TextureSlots& slots, const std::filesystem::path& out) {
  const std::filesystem::path folder = out.parent_path();
  StagedFiles files;
  WriteResult staged;
  if (!asset.bufferFile.empty()) staged = files.Stage(folder / asset.bufferFile, asset.buffer);
  for (auto picture = asset.pictures.begin(); staged && picture != asset.pictures.end(); ++picture)
    staged = StagePng(files, folder / picture->file, slots.Slot(picture->slot));
  if (staged)
    staged = files.Stage(out, ByteView(reinterpret_cast<const std::uint8_t*>(asset.json.data()), asset.json.size()));
  return staged ? files.Commit() : staged;
}

int runExportGltf(const ExportGltfOptions& options) {
  const std::size_t wanted = options.exe ? 2 : 3;
  if (options.paths.size() != wanted) {
    std::cerr << (options.exe ? "Give GAME_DIR and OUT.gltf with --exe\n" : "Give FILE, GAME_DIR and OUT.gltf\n");
    return kUsage;
  }
  const std::string& gameDir = options.paths[wanted - 2];
  const std::filesystem::path out = options.paths[wanted - 1];
  std::error_code error;
  if (!std::filesystem::is_directory(gameDir, error)) {
    std::cerr << "Cannot read " << gameDir << '\n';
    return kUsage;
  }
  StreamMessages messages(std::cerr);
  int status = kSuccess;
  const std::unique_ptr<Car> car = loadCar(options, options.paths[0], messages, status);
  if (!car) return status;

  CarMappingTable mapping;
  mapping.ReadTextureCfg(gameDir);
  TextureSlots slots;
  ResetTextureBitmaps(slots);
  TextureSources sources;
  sources.m_GameLocation = gameDir;
  sources.m_CarJamName = options.livery;
  sources.m_JamSeed = options.jamSeed;
  LoadCarTextures(slots, sources, messages);

  const GltfAsset asset = MakeGltfAsset(BuildCarScene(*car, mapping), out.stem().string());
  const WriteResult written = writeAsset(asset, slots, out);
  if (!written) std::cerr << WriteFailureMessage(written) << '\n';
  return written ? kSuccess : kFailed;
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
