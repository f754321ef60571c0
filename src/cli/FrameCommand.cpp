// tavrel-cli frame FILE [--kind K] [--cameras FILE.cam] [--set KEY=0|1,...]
//                  [--select-point I] [--select-command I] [--select-camera K]
//            frame --exe EXE --patch-level N [the same options but --kind]
// The first frame of a new car view, as the JSON of its recorded batches and
// number labels: display flags at their defaults but for --set, texture objects
// not made yet, texture.cfg read from the working directory as the program does.
#include <algorithm>
#include <iostream>
#include <optional>

#include "base/Files.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "cli/Commands.h"
#include "cli/ShapeArgument.h"
#include "scene/CarFrame.h"
#include "scene/FrameRecorder.h"
#include "shape/CameraFile.h"
#include "shape/GameExecutable.h"
#include "textures/CarMappingTable.h"

namespace tavrel::cli {
namespace {

struct FrameOptions {
  std::optional<std::string> file;
  std::string kind = "car";
  std::optional<std::string> exe;
  int patchLevel = 0;
  std::optional<std::string> cameras;
  std::optional<std::string> set;
  std::optional<int> selectPoint;
  std::optional<int> selectCommand;
  std::optional<int> selectCamera;
};

// The car an executable gives, or none when the import leaves the document
// empty (its car fails the magic check), with the exit status it calls for.
LoadedShape importCar(const std::string& exe, int patchLevel, Messages& messages) {
  if (!fileSize(exe)) {
    std::cerr << "Cannot read " << exe << '\n';
    return {nullptr, kUsage};
  }
  const ExePositions positions = PositionsForPatchLevel(patchLevel);
  ImportedCar imported = ImportCarAndCameras(exe, positions, messages);
  if (!imported.car) {
    std::cerr << "Bad Exe Path " << exe << '\n';
    return {nullptr, kFailed};
  }
  if (imported.car->m_Valid == 0) return {nullptr, kFailed};
  return {std::move(imported.car), imported.camerasRead ? kSuccess : kFailed};
}

// Table positions counted from 0, as the tree shows them.
template <typename Table, typename Element>
bool selectIn(Table& table, int count, std::optional<int> position, const char* what, Element*& selected) {
  if (!position) return true;
  if (*position < 0 || *position >= std::min(count, static_cast<int>(table.size()))) {
    std::cerr << "No " << what << ' ' << *position << ": the car has " << count << ' ' << what << "s\n";
    return false;
  }
  selected = &table[static_cast<std::size_t>(*position)];
  return true;
}

bool select(Car* car, const FrameOptions& options) {
  if (car == nullptr) {
    const bool wanted = options.selectPoint || options.selectCommand || options.selectCamera;
    if (wanted) std::cerr << "No car to select in\n";
    return !wanted;
  }
  return selectIn(car->m_Points, car->m_PointCount, options.selectPoint, "point", car->m_SelectedPoint) &&
         selectIn(car->m_Commands, car->m_CommandCount, options.selectCommand, "command", car->m_SelectedCommand) &&
         selectIn(car->m_Cameras, Car::kCameraCount, options.selectCamera, "camera", car->m_SelectedCamera);
}

int runFrame(const FrameOptions& options) {
  if (options.file.has_value() == options.exe.has_value()) {
    std::cerr << "Give either FILE or --exe\n";
    return kUsage;
  }
  DisplayFlags flags;
  if (options.set)
    if (const auto error = SetDisplayFlags(flags, *options.set)) {
      std::cerr << *error << '\n';
      return kUsage;
    }

  StreamMessages messages(std::cerr);
  LoadedShape loaded = options.exe ? importCar(*options.exe, options.patchLevel, messages)
                                   : LoadShapeArgument(*options.file, *kindFromName(options.kind), messages);
  if (loaded.status == kUsage) return kUsage;
  if (options.cameras && loaded.car) {
    if (!fileSize(*options.cameras)) {
      std::cerr << "Cannot read " << *options.cameras << '\n';
      return kUsage;
    }
    if (!LoadCameras(*options.cameras, *loaded.car, messages)) return kFailed;
  }
  if (!select(loaded.car.get(), options)) return kUsage;

  CarMappingTable mapping;
  mapping.ReadTextureCfg(std::filesystem::current_path());
  FrameRecorder recorder;
  const FrameInput input{loaded.car.get(), mapping, flags, false};
  DrawCarFrame3D(recorder, input);
  FrameLabels(recorder, input);
  std::cout << recorder.Json() << '\n';
  return loaded.status;
}

}  // namespace

void addFrameCommand(CLI::App& app) {
  auto options = std::make_shared<FrameOptions>();
  CLI::App* command = app.add_subcommand(
      "frame", "Print the first frame of a new car view as JSON: its drawing batches and number labels");
  command->add_option("FILE", options->file, "Shape or part file (not with --exe)");
  CLI::Option* kind = command->add_option("--kind", options->kind, "Kind of shape, which fixes its table offset")
                          ->check(CLI::IsMember(ShapeKindNames()));
  CLI::Option* exe =
      command->add_option("--exe", options->exe, "Import the car, its parts and cameras from this executable");
  CLI::Option* level = command->add_option("--patch-level", options->patchLevel,
                                           "0 for the original game, any other value for the 1.13 patch");
  exe->needs(level);
  level->needs(exe);
  kind->excludes(exe);
  command->add_option("--cameras", options->cameras, "Camera file read into the car's cameras");
  command->add_option("--set", options->set, "Display settings to change, as KEY=0|1[,KEY=0|1...]");
  command->add_option("--select-point", options->selectPoint, "The car's selected point, counted from 0");
  command->add_option("--select-command", options->selectCommand, "The car's selected command, counted from 0");
  command->add_option("--select-camera", options->selectCamera,
                      "The selected camera, 0 to 8 (the tree's c[1] to c[9])");
  command->callback([options] { exitStatus() = runFrame(*options); });
}

}  // namespace tavrel::cli
