#include "demo/DemoGame.h"

#include <iterator>
#include <string>
#include <vector>

#include "base/FileWrites.h"
#include "demo/DemoLiveries.h"
#include "demo/DemoShapes.h"
#include "demo/DemoTextureCfg.h"
#include "demo/ExeBuilder.h"
#include "shape/CameraFile.h"
#include "shape/ExecutableFile.h"
#include "shape/PartFile.h"

namespace tavrel::demo {
namespace {

// The game's own view distances for its RCR pictures.
constexpr RcrDistances kRcrDistances = {3840, 7680, 3840, 7680};
constexpr std::int32_t kTriggerDistance = 3200;
constexpr const char* kExeName = "zav.exe";

ExeRecipe exeRecipe(int patchLevel) {
  ExeRecipe recipe;
  recipe.patchLevel = patchLevel;
  recipe.car = BuildShapeImage(MakeDemoCar().recipe);
  recipe.wheel = BuildShapeImage(MakeDemoWheel().recipe);
  recipe.cockpit = BuildShapeImage(MakeDemoCockpit().recipe);
  recipe.steeringWheel = BuildShapeImage(MakeDemoSteeringWheel().recipe);
  recipe.helmet = BuildShapeImage(MakeDemoHelmet().recipe);
  const auto cameras = MakeDemoCameras();
  recipe.cameras.assign(cameras.begin(), cameras.end());
  recipe.rcrDistances = kRcrDistances;
  recipe.triggerDistance = kTriggerDistance;
  return recipe;  // size 0: the file ends just past the camera records
}

// Where a file of the car's lies in the executable: the car file is the whole
// image read at the car's place (which runs on over the parts behind it), each
// part file the first bytes of its place, as an export from the game would give.
struct ExeWindow {
  std::string name;
  std::int64_t position;
  std::size_t length;
};

std::vector<ExeWindow> carFileWindows(const ExePositions& at) {
  std::vector<ExeWindow> windows = {{"cars/demo.cs3", at.car, Car::kImageSize}};
  for (const PartFileKind& kind : kPartFileKinds)
    windows.push_back({"cars/demo." + std::string(kind.dialog.extension), at.of(kind.shape), kind.length});
  windows.push_back({"cars/demo.cam", at.cameras, kCameraFileSize});
  return windows;
}

struct DemoFile {
  std::string name;  // relative to the game folder
  std::vector<std::uint8_t> bytes;
};

bool readCarFiles(const std::filesystem::path& exe, const std::vector<ExeWindow>& windows, std::vector<DemoFile>& files,
                  Messages& messages) {
  auto file = ExecutableFile::Open(exe, ExecutableFile::Mode::Read, messages);
  if (!file) return false;
  for (const ExeWindow& window : windows) {
    std::vector<std::uint8_t> bytes(window.length, 0);
    file->ReadAt(window.position, bytes);
    files.push_back({window.name, std::move(bytes)});
  }
  return true;
}

// The JAM files and texture.cfg, which owe nothing to the executable.
std::vector<DemoFile> textureFiles(std::uint32_t seed) {
  std::vector<DemoFile> files;
  for (const LiveryScheme& livery : DemoLiveries())
    files.push_back({"zavjams/Liveries/" + std::string(livery.file), BuildJamFile(MakeLiveryJam(livery), seed)});
  files.push_back({"zavjams/Main/Chassis3.jam", BuildJamFile(MakeChassisJam(), seed)});
  const std::string cfg = MakeDemoTextureCfg(MakeDemoCar());
  files.push_back({"texture.cfg", std::vector<std::uint8_t>(cfg.begin(), cfg.end())});
  return files;
}

// The demo never replaces a file: a folder that holds a game already may hold
// the player's own work. False, after a message naming the first file found.
bool noneExist(const std::filesystem::path& directory, const std::vector<std::string>& names, Messages& messages) {
  for (const std::string& name : names) {
    std::error_code error;
    const std::filesystem::path path = directory / name;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) continue;
    messages.show(path.string() +
                      " already exists: the demo game is only written where none of its files are, "
                      "so nothing was written.",
                  Icon::Stop);
    return false;
  }
  return true;
}

bool makeFolders(const std::filesystem::path& directory, const std::vector<std::string>& names, Messages& messages) {
  for (const std::string& name : names) {
    const std::filesystem::path folder = (directory / name).parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error) continue;
    messages.show("Cannot create the folder " + folder.string() + ": " + error.message(), Icon::Stop);
    return false;
  }
  return true;
}

// The executable first, the car's files read back from it, then the rest; all
// staged and moved into place together, so a failure leaves none of them.
WriteResult writeGame(const std::filesystem::path& directory, const ExeRecipe& recipe,
                      const std::vector<ExeWindow>& windows, std::vector<DemoFile> files, Messages& messages) {
  StagedFiles staged;
  std::vector<DemoFile> carFiles;
  WriteResult written = staged.StageMadeBy(directory / kExeName, [&](const std::filesystem::path& exe) {
    return BuildExe(exe, recipe) && readCarFiles(exe, windows, carFiles, messages);
  });
  files.insert(files.begin(), std::make_move_iterator(carFiles.begin()), std::make_move_iterator(carFiles.end()));
  for (auto file = files.begin(); written && file != files.end(); ++file)
    written = staged.Stage(directory / file->name, file->bytes);
  return written ? staged.Commit() : written;
}

}  // namespace

bool MakeDemoGame(const std::filesystem::path& directory, const DemoGameOptions& options, Messages& messages) {
  const std::vector<ExeWindow> windows = carFileWindows(PositionsForPatchLevel(options.patchLevel));
  std::vector<DemoFile> files = textureFiles(options.jamSeed);
  std::vector<std::string> names = {kExeName};
  for (const ExeWindow& window : windows) names.push_back(window.name);
  for (const DemoFile& file : files) names.push_back(file.name);
  if (!noneExist(directory, names, messages) || !makeFolders(directory, names, messages)) return false;
  const WriteResult written = writeGame(directory, exeRecipe(options.patchLevel), windows, std::move(files), messages);
  if (!written) messages.show(WriteFailureMessage(written), Icon::Stop);
  return static_cast<bool>(written);
}

}  // namespace tavrel::demo
