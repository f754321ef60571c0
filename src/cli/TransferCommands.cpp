// tavrel-cli export-ctf FILE OUT, import-ctf FILE CTF OUT and export-obj FILE OUT:
// a car shape file's geometry out to a transfer or WaveFront file, and a transfer
// file's geometry into a copy of the shape file.
#include <iostream>

#include "base/Files.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/ShapeArgument.h"
#include "shape/ObjExport.h"
#include "shape/TransferFile.h"

namespace tavrel::cli {
namespace {

constexpr int kCarTableOffset = tableOffset(ShapeKind::Car);

struct TransferOptions {
  std::string file;
  std::string transferFile;
  std::string out;
};

// The car shape in `file`, or none with the exit status to end with.
LoadedShape loadCar(const std::string& file, Messages& messages) {
  LoadedShape loaded = LoadShapeArgument(file, ShapeKind::Car, messages);
  if (loaded.status != kSuccess) loaded.car.reset();
  return loaded;
}

using Export = bool (*)(const std::filesystem::path&, const Car&, Messages&);

int runExport(const TransferOptions& options, Export write) {
  StreamMessages messages(std::cerr);
  const LoadedShape loaded = loadCar(options.file, messages);
  if (!loaded.car) return loaded.status;
  return write(options.out, *loaded.car, messages) ? kSuccess : kFailed;
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

CLI::App* addFileCommand(CLI::App& app, const std::string& name, const std::string& description,
                         TransferOptions& options) {
  CLI::App* command = app.add_subcommand(name, description);
  command->add_option("FILE", options.file, "Car shape file (.cs3)")->required();
  return command;
}

}  // namespace

void addTransferCommands(CLI::App& app) {
  auto options = std::make_shared<TransferOptions>();

  CLI::App* exportCtf = addFileCommand(app, "export-ctf", "Write a car's points and connections to a transfer file",
                                       *options);
  exportCtf->add_option("OUT", options->out, "Transfer file (.ctf) to write")->required();
  exportCtf->callback([options] { exitStatus() = runExport(*options, ExportCtf); });

  CLI::App* importCtf = addFileCommand(
      app, "import-ctf", "Take a transfer file's points and connections into a car and save it as a new file",
      *options);
  importCtf->add_option("CTF", options->transferFile, "Transfer file (.ctf) to read")->required();
  importCtf->add_option("OUT", options->out, "Shape file to write")->required();
  importCtf->footer(
      "With the right point count but another connection count, the points are taken, the car is saved and the "
      "command exits 1. A refused transfer file writes nothing.");
  importCtf->callback([options] { exitStatus() = runImport(*options); });

  CLI::App* exportObj = addFileCommand(app, "export-obj", "Write a car's wireframe to a WaveFront object file",
                                       *options);
  exportObj->add_option("OUT", options->out, "WaveFront file (.obj) to write")->required();
  exportObj->callback([options] { exitStatus() = runExport(*options, ExportObj); });
}

}  // namespace tavrel::cli
