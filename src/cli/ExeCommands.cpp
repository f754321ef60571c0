// tavrel-cli subcommands on the game's executable:
//   exe extract EXE --patch-level N --out DIR   the car, its parts and cameras as files
//   exe patch EXE --patch-level N [--car F] ... the files patched in, as "Export To Exe..." does
//   rcr EXE --patch-level N [--set A,B,C,D]     the four RCR distances, read or written
//   trigger EXE [--set D]                       the RCR trigger distance, read or written
#include <algorithm>
#include <iostream>
#include <optional>
#include <span>

#include "base/FileWrites.h"
#include "base/Files.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "shape/CameraFile.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"
#include "shape/PartFile.h"
#include "shape/RcrPatches.h"

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

// Where the last byte taken from the executable lies: the car image, a part or
// the cameras, whichever ends furthest in.
std::int64_t extractedEnd(const ExePositions& at) {
  std::int64_t end = std::max(at.car + static_cast<std::int64_t>(Car::kImageSize),
                              at.cameras + static_cast<std::int64_t>(kCameraFileSize));
  for (const PartFileKind& kind : kPartFileKinds)
    end = std::max(end, at.of(kind.shape) + static_cast<std::int64_t>(kind.length));
  return end;
}

// Files are only written when every one of them holds what the game has: a
// shape that fails the magic check (wrong patch level?) or an executable that
// ends early fails the extraction before anything is written.
bool extractable(const ExtractOptions& options, const ExePositions& positions, const Car& car, Messages& messages) {
  if (!allShapesValid(car)) return false;
  const auto size = fileSize(options.exe).value_or(0);
  if (size >= static_cast<std::uintmax_t>(extractedEnd(positions))) return true;
  messages.show(format("\"%s\" is %ju bytes long, too short to hold the car, its parts and cameras at patch level %d",
                       options.exe.c_str(), size, options.patchLevel));
  return false;
}

// The six files, written whole under temporary names and moved into place
// together: a failure with any of them leaves the folder as it was.
WriteResult writeExtracted(const std::filesystem::path& out, Car& car) {
  StagedFiles files;
  WriteResult staged = files.Stage(out / "car.cs3", car.m_Image);
  for (const PartFileKind& kind : kPartFileKinds)
    if (staged) staged = files.Stage(partFileName(out, kind), PartFileBytes(*kind.PartOf(car), kind));
  if (staged) staged = files.Stage(out / "cameras.cam", CameraFileBytes(car));
  return staged ? files.Commit() : staged;
}

int runExtract(const ExtractOptions& options) {
  StreamMessages messages(std::cerr);
  const ExePositions positions = PositionsForPatchLevel(options.patchLevel);
  const ImportedCar imported = ImportCarAndCameras(options.exe, positions, messages);
  if (!imported.car) return openFailure(options.exe);
  Car& car = *imported.car;
  if (!imported.camerasRead || !extractable(options, positions, car, messages)) return kFailed;

  const std::filesystem::path out = options.out;
  std::error_code error;
  const bool outExisted = std::filesystem::exists(out, error);
  std::filesystem::create_directories(out, error);
  const WriteResult written = writeExtracted(out, car);
  if (written) return kSuccess;
  std::cerr << WriteFailureMessage(written) << '\n';
  if (!outExisted) std::filesystem::remove(out, error);
  return kFailed;
}

// ---- exe patch ----

struct PatchOptions {
  std::string exe;
  int patchLevel = 0;
  std::optional<std::string> car;
  std::optional<std::string> cameras;
  std::array<std::optional<std::string>, kPartFileKinds.size()> parts;  // in kPartFileKinds order
  bool force = false;
};

std::vector<std::string> givenFiles(const PatchOptions& options) {
  std::vector<std::string> files;
  for (const auto& file : {options.car, options.cameras})
    if (file) files.push_back(*file);
  for (const auto& file : options.parts)
    if (file) files.push_back(*file);
  return files;
}

ExePatchFiles patchFiles(const PatchOptions& options) {
  ExePatchFiles files;
  if (options.car) files.car = *options.car;
  if (options.cameras) files.cameras = *options.cameras;
  for (std::size_t i = 0; i < kPartFileKinds.size(); ++i)
    if (options.parts[i]) files.parts[i] = *options.parts[i];
  files.force = options.force;
  return files;
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
  const std::vector<ExportStep> steps =
      PatchFilesIntoExe(options.exe, patchFiles(options), PositionsForPatchLevel(options.patchLevel), messages);
  if (!AllPatched(steps)) return openFailure(options.exe);
  for (const ExportStep& step : steps) std::cout << step.item << ": " << step.result.bytesChanged << " bytes changed\n";
  return kSuccess;
}

// ---- rcr and trigger ----

// An executable too short for a value has none to show: the dialogs show 0, but
// a script must not take that 0 for the game's value.
bool allFound(std::span<const ExeValue> values, const char* what, const std::string& exe) {
  if (std::ranges::all_of(values, &ExeValue::found)) return true;
  std::cerr << "Cannot read the " << what << " from \"" << exe << "\": the file ends too early\n";
  return false;
}

struct RcrOptions {
  std::string exe;
  int patchLevel = 0;
  std::vector<std::int32_t> distances;
};

int runRcr(const RcrOptions& options) {
  StreamMessages messages(std::cerr);
  if (!options.distances.empty()) {
    RcrDistances distances{};
    std::copy(options.distances.begin(), options.distances.end(), distances.begin());
    return statusOf(WriteRcrDistances(options.exe, options.patchLevel, distances, messages), options.exe);
  }
  const auto values = ReadRcrValues(options.exe, RcrBlockOffset(options.patchLevel), messages);
  if (!values) return openFailure(options.exe);
  if (!allFound(*values, "RCR distances", options.exe)) return kFailed;
  for (const ExeValue& distance : *values) std::cout << distance.value << '\n';
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
  const auto distance = ReadTriggerValue(options.exe, kTriggerOffset, messages);
  if (!distance) return openFailure(options.exe);
  if (!allFound(std::span(&*distance, 1), "RCR trigger distance", options.exe)) return kFailed;
  std::cout << distance->value << '\n';
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
  CLI::App* patchCommand =
      exe->add_subcommand("patch",
                          "Patch the given files into the executable, writing only differing bytes; prints per item "
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
  patchCommand->add_flag("--force", patch->force,
                         "Patch shapes whose elements name points or connections their tables do not hold");
  patchCommand->callback([patch] { exitStatus() = runPatch(*patch); });
}

void addRcrCommand(CLI::App& app) {
  auto options = std::make_shared<RcrOptions>();
  CLI::App* rcr = app.add_subcommand(
      "rcr", "Print the four RCR distances (cockpit, on-board, chase, camera view), one per line, or set them");
  rcr->add_option("EXE", options->exe, "The game's executable")->required();
  addPatchLevel(rcr, options->patchLevel);
  rcr->add_option("--set", options->distances, "Four distances A,B,C,D to write")->delimiter(',')->expected(4);
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
