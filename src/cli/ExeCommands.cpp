// tavrel-cli subcommands on the game's executable:
//   exe extract EXE --patch-level N --out DIR   the car, its parts and cameras as files
//   exe patch EXE --patch-level N [--car F] ... the files patched in, as "Export To Exe..." does
//   rcr EXE --patch-level N [--set A,B,C,D]     the four RCR distances, read or written
//   trigger EXE [--set D]                       the RCR trigger distance, read or written
#include <iostream>
#include <optional>

#include "base/Files.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "shape/CameraFile.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"
#include "shape/PartFile.h"
#include "shape/RcrPatches.h"
#include "shape/ShapeFile.h"

namespace tavrel::cli {
namespace {

// An executable that is not there is an unreadable input; one that is there but
// cannot be read or patched is a failed operation.
int openFailure(const std::string& exe) { return fileSize(exe) ? kFailed : kUsage; }

int statusOf(const PatchResult& result, const std::string& exe) { return result.ok ? kSuccess : openFailure(exe); }

std::filesystem::path partFileName(const std::filesystem::path& folder, const PartFileKind& kind) {
  return folder / (std::string(kindName(kind.shape)) + "." + std::string(kind.dialog.extension));
}

void addPatchLevel(CLI::App* command, int& level) {
  command->add_option("--patch-level", level, "0 for the original game, any other value for the 1.13 patch")
      ->required();
}

// ---- exe extract ----

struct ExtractOptions {
  std::string exe;
  int patchLevel = 0;
  std::string out;
};

bool allShapesValid(const Car& car) {
  bool valid = car.m_Valid != 0;
  for (const PartFileKind& kind : kPartFileKinds) valid = valid && kind.PartOf(car)->m_Valid != 0;
  return valid;
}

int runExtract(const ExtractOptions& options) {
  StreamMessages messages(std::cerr);
  const ExePositions positions = PositionsForPatchLevel(options.patchLevel);
  auto car = ImportFromExe(options.exe, positions, messages);
  if (!car) return openFailure(options.exe);
  const bool camerasRead = ReadCamerasFromExe(*car, options.exe, positions, messages);

  std::error_code error;
  std::filesystem::create_directories(options.out, error);
  const std::filesystem::path out = options.out;
  bool written = car->SaveShapeFile(out / "car.cs3", messages);
  for (const PartFileKind& kind : kPartFileKinds)
    written = WritePartFile(partFileName(out, kind), *kind.PartOf(*car), kind, messages) && written;
  written = SaveCameras(out / "cameras.cam", *car, messages) && written;
  // The files hold the bytes found either way; a shape that failed the magic
  // check (wrong patch level?) makes the extraction count as failed.
  return written && camerasRead && allShapesValid(*car) ? kSuccess : kFailed;
}

// ---- exe patch ----

struct PatchOptions {
  std::string exe;
  int patchLevel = 0;
  std::optional<std::string> car;
  std::optional<std::string> cameras;
  std::array<std::optional<std::string>, kPartFileKinds.size()> parts;  // in kPartFileKinds order
};

std::vector<std::string> givenFiles(const PatchOptions& options) {
  std::vector<std::string> files;
  for (const auto& file : {options.car, options.cameras}) if (file) files.push_back(*file);
  for (const auto& file : options.parts) if (file) files.push_back(*file);
  return files;
}

// What a patch starts from: the shape file given for the car, and the parts and
// cameras of the executable with the given files read over them, as a document
// imported from the executable holds them after its import commands.
struct PatchInputs {
  std::unique_ptr<Car> car;
  std::unique_ptr<Car> imported;
};

std::optional<PatchInputs> readInputs(const PatchOptions& options, const ExePositions& positions,
                                      Messages& messages) {
  PatchInputs inputs;
  SilentMessages silent;  // what the executable holds besides the given items is of no concern here
  inputs.imported = ImportFromExe(options.exe, positions, silent);
  if (!inputs.imported) return std::nullopt;
  ReadCamerasFromExe(*inputs.imported, options.exe, positions, silent);
  if (options.car) {
    inputs.car = LoadShapeFile(*options.car, messages, ShapeKind::Car);
    if (!inputs.car || inputs.car->m_Valid == 0) return std::nullopt;
  }
  if (options.cameras && !LoadCameras(*options.cameras, *inputs.imported, messages)) return std::nullopt;
  for (std::size_t i = 0; i < kPartFileKinds.size(); ++i) {
    const PartFileKind& kind = kPartFileKinds[i];
    if (options.parts[i] && !ReadPartFile(*options.parts[i], *kind.PartOf(*inputs.imported), kind, messages))
      return std::nullopt;
  }
  return inputs;
}

int runPatch(const PatchOptions& options) {
  const std::vector<std::string> files = givenFiles(options);
  if (files.empty()) {
    std::cerr << "Nothing to patch: give at least one of --car, --helmet, --cockpit, --wheel, --steering-wheel, "
                 "--cameras\n";
    return kUsage;
  }
  for (const std::string& file : files) {
    if (!fileSize(file)) {
      std::cerr << "Cannot read " << file << '\n';
      return kUsage;
    }
  }
  StreamMessages messages(std::cerr);
  if (!ExecutableFile::Open(options.exe, ExecutableFile::Mode::Read, messages)) return openFailure(options.exe);
  const ExePositions positions = PositionsForPatchLevel(options.patchLevel);
  auto inputs = readInputs(options, positions, messages);
  if (!inputs) return kFailed;

  // The order of "Export To Exe...": car, cameras, then the parts.
  const auto report = [&](std::string_view item, const PatchResult& result) {
    if (result.ok) std::cout << item << ": " << result.bytesChanged << " bytes changed\n";
    return statusOf(result, options.exe);
  };
  if (inputs->car) {
    if (const int status = report("car", PatchCar(options.exe, *inputs->car, positions, messages))) return status;
  }
  if (options.cameras) {
    if (const int status = report("cameras", PatchCameras(options.exe, *inputs->imported, positions, messages)))
      return status;
  }
  for (std::size_t i = 0; i < kPartFileKinds.size(); ++i) {
    const PartFileKind& kind = kPartFileKinds[i];
    if (!options.parts[i]) continue;
    const PatchResult result = PatchPartOfKind(options.exe, *kind.PartOf(*inputs->imported), kind, positions, messages);
    if (const int status = report(kindName(kind.shape), result)) return status;
  }
  return kSuccess;
}

// ---- rcr and trigger ----

struct RcrOptions {
  std::string exe;
  int patchLevel = 0;
  std::vector<std::int32_t> distances;
};

int runRcr(const RcrOptions& options) {
  StreamMessages messages(std::cerr);
  const std::int64_t offset = RcrBlockOffset(options.patchLevel);
  if (!options.distances.empty()) {
    RcrDistances distances{};
    std::copy(options.distances.begin(), options.distances.end(), distances.begin());
    return statusOf(WriteRcrDistances(options.exe, offset, distances, messages), options.exe);
  }
  const auto distances = ReadRcrDistances(options.exe, offset, messages);
  if (!distances) return openFailure(options.exe);
  for (std::int32_t distance : *distances) std::cout << distance << '\n';
  return kSuccess;
}

struct TriggerOptions {
  std::string exe;
  std::optional<std::int32_t> distance;
};

int runTrigger(const TriggerOptions& options) {
  StreamMessages messages(std::cerr);
  if (options.distance)
    return statusOf(WriteTriggerDistance(options.exe, kTriggerOffset, *options.distance, messages), options.exe);
  const auto distance = ReadTriggerDistance(options.exe, kTriggerOffset, messages);
  if (!distance) return openFailure(options.exe);
  std::cout << *distance << '\n';
  return kSuccess;
}

}  // namespace

void addExeCommand(CLI::App& app) {
  CLI::App* exe = app.add_subcommand("exe", "Read the car, its parts and cameras out of zav.exe, or patch them in");
  exe->require_subcommand(1);

  auto extract = std::make_shared<ExtractOptions>();
  CLI::App* extractCommand = exe->add_subcommand(
      "extract", "Write car.cs3, helmet.ch3, cockpit.cp3, wheel.ty3, steering-wheel.st3 and cameras.cam");
  extractCommand->add_option("EXE", extract->exe, "The game's executable")->required();
  addPatchLevel(extractCommand, extract->patchLevel);
  extractCommand->add_option("--out", extract->out, "Folder for the files (made when missing)")->required();
  extractCommand->callback([extract] { exitStatus() = runExtract(*extract); });

  auto patch = std::make_shared<PatchOptions>();
  CLI::App* patchCommand = exe->add_subcommand(
      "patch", "Patch the given files into the executable, writing only differing bytes; prints per item "
               "\"ITEM: N bytes changed\"");
  patchCommand->add_option("EXE", patch->exe, "The game's executable")->required();
  addPatchLevel(patchCommand, patch->patchLevel);
  patchCommand->add_option("--car", patch->car, "Shape file (.cs3) of the car");
  patchCommand->add_option("--cameras", patch->cameras, "Camera file (.cam)");
  for (std::size_t i = 0; i < kPartFileKinds.size(); ++i) {
    const PartFileKind& kind = kPartFileKinds[i];
    patchCommand->add_option("--" + std::string(kindName(kind.shape)), patch->parts[i],
                             "Part file (." + std::string(kind.dialog.extension) + ")");
  }
  patchCommand->callback([patch] { exitStatus() = runPatch(*patch); });
}

void addRcrCommand(CLI::App& app) {
  auto options = std::make_shared<RcrOptions>();
  CLI::App* rcr = app.add_subcommand(
      "rcr", "Print the four RCR distances (cockpit, on-board, chase, camera view), one per line, or set them");
  rcr->add_option("EXE", options->exe, "The game's executable")->required();
  addPatchLevel(rcr, options->patchLevel);
  rcr->add_option("--set", options->distances, "Four distances A,B,C,D to write")
      ->delimiter(',')
      ->expected(4);
  rcr->callback([options] { exitStatus() = runRcr(*options); });
}

void addTriggerCommand(CLI::App& app) {
  auto options = std::make_shared<TriggerOptions>();
  CLI::App* trigger = app.add_subcommand("trigger", "Print the RCR trigger distance, or set it");
  trigger->add_option("EXE", options->exe, "The game's executable")->required();
  trigger->add_option("--set", options->distance, "Distance to write");
  trigger->callback([options] { exitStatus() = runTrigger(*options); });
}

}  // namespace tavrel::cli
