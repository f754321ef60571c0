// tavrel-cli export-ctf FILE OUT, import-ctf FILE CTF OUT, export-obj FILE OUT [--kind K]
// and import-obj FILE EDITED.obj OUT [--kind K]: a shape file's geometry out to a
// transfer or WaveFront file, and a transfer file's geometry or a WaveFront file's
// points into a copy of the shape file.
#include <iostream>

#include "base/Files.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/ShapeArgument.h"
#include "shape/ObjExport.h"
#include "shape/ObjImport.h"
#include "shape/PartFile.h"
#include "shape/TransferFile.h"

namespace tavrel::cli {
namespace {

constexpr int kCarTableOffset = tableOffset(ShapeKind::Car);

struct TransferOptions {
  std::string file;
  std::string transferFile;
  std::string out;
  std::string kind = "car";
};

// The car shape in `file`, or none with the exit status to end with.
LoadedShape loadCar(const std::string& file, Messages& messages) {
  LoadedShape loaded = LoadShapeArgument(file, ShapeKind::Car, messages);
  if (loaded.status != kSuccess) loaded.car.reset();
  return loaded;
}

int runCtfExport(const TransferOptions& options) {
  StreamMessages messages(std::cerr);
  const LoadedShape loaded = loadCar(options.file, messages);
  if (!loaded.car) return loaded.status;
  return ExportCtf(options.out, *loaded.car, messages) ? kSuccess : kFailed;
}

// A part as well as a car, so that any shape can go through a modeller and back.
int runObjExport(const TransferOptions& options) {
  StreamMessages messages(std::cerr);
  const LoadedShape loaded = LoadShapeArgument(options.file, *kindFromName(options.kind), messages);
  if (loaded.status != kSuccess) return loaded.status;
  return ExportObj(options.out, *loaded.car, messages) ? kSuccess : kFailed;
}

// Like the program, a transfer file with the right point count but another
// connection count leaves the points taken: that car is saved, and the command
// still fails. A refused file writes nothing.
int runImport(const TransferOptions& options) {
  StreamMessages messages(std::cerr);
  const LoadedShape loaded = loadCar(options.file, messages);
  if (!loaded.car) return loaded.status;
  if (!fileSize(options.transferFile)) {
    std::cerr << "Cannot read " << options.transferFile << '\n';
    return kUsage;
  }
  const CtfImport result = ImportCtf(options.transferFile, *loaded.car, messages);
  if (result == CtfImport::Refused) return kFailed;
  loaded.car->WriteBack(kCarTableOffset);
  if (!loaded.car->SaveShapeFile(options.out, messages)) return kFailed;
  return result == CtfImport::Imported ? kSuccess : kFailed;
}

// The OUT file is written whole, or not at all, and only when every point was taken.
int runObjImport(const TransferOptions& options) {
  StreamMessages messages(std::cerr);
  const ShapeKind kind = *kindFromName(options.kind);
  LoadedShape loaded = LoadShapeArgument(options.file, kind, messages);
  if (loaded.status != kSuccess) return loaded.status;
  if (!fileSize(options.transferFile)) {
    std::cerr << "Cannot read " << options.transferFile << '\n';
    return kUsage;
  }
  if (!ImportObjPoints(options.transferFile, *loaded.car, messages)) return kFailed;
  // A part file is shorter than the image a part is decoded from.
  if (const PartFileKind* part = FindPartFileKind(kind))
    return WritePartFile(options.out, *loaded.car, *part, messages) ? kSuccess : kFailed;
  loaded.car->WriteBack(tableOffset(kind));
  return loaded.car->SaveShapeFile(options.out, messages) ? kSuccess : kFailed;
}

void addKindOption(CLI::App& command, std::string& kind) {
  command.add_option("--kind", kind, "Kind of shape, which fixes its table offset and file length")
      ->check(CLI::IsMember(ShapeKindNames()));
}

CLI::App* addFileCommand(CLI::App& app, const std::string& name, const std::string& description,
                         TransferOptions& options) {
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("FILE", options.file, "Car shape file (.cs3)")->required();
  return command;
}

}  // namespace

void addTransferCommands(CLI::App& app) {
  auto options = std::make_shared<TransferOptions>();

  CLI::App* exportCtf =
      addFileCommand(app, "export-ctf", "Write a car's points and connections to a transfer file", *options);
  exportCtf->add_option("OUT", options->out, "Transfer file (.ctf) to write")->required();
  exportCtf->callback([options] { exitStatus() = runCtfExport(*options); });

  CLI::App* importCtf =
      addFileCommand(app, "import-ctf",
                     "Take a transfer file's points and connections into a car and save it as a new file", *options);
  importCtf->add_option("CTF", options->transferFile, "Transfer file (.ctf) to read")->required();
  importCtf->add_option("OUT", options->out, "Shape file to write")->required();
  importCtf->footer(
      "With the right point count but another connection count, the points are taken, the car is saved and the "
      "command exits 1. A refused transfer file writes nothing.");
  importCtf->callback([options] { exitStatus() = runImport(*options); });

  CLI::App* exportObj = app.add_subcommand("export-obj", "Write a shape's wireframe to a WaveFront object file");
  exportObj->add_option("FILE", options->file, "Shape or part file")->required();
  exportObj->add_option("OUT", options->out, "WaveFront file (.obj) to write")->required();
  addKindOption(*exportObj, options->kind);
  exportObj->footer("Every point is written, in order; a point no connection uses gets a line of its own.");
  exportObj->callback([options] { exitStatus() = runObjExport(*options); });

  CLI::App* importObj = app.add_subcommand(
      "import-obj",
      "Take the points of a WaveFront file (its v lines, in order) into a shape and save it as a new file");
  importObj->add_option("FILE", options->file, "Shape or part file")->required();
  importObj->add_option("EDITED", options->transferFile, "WaveFront file (.obj) with one v line per point")->required();
  importObj->add_option("OUT", options->out, "Shape file to write")->required();
  addKindOption(*importObj, options->kind);
  importObj->footer(
      "Coordinates are rounded to whole units. A file with another number of vertices than the shape has points, "
      "a malformed v line or a value out of range writes nothing and exits 1.");
  importObj->callback([options] { exitStatus() = runObjImport(*options); });
}

}  // namespace tavrel::cli
