// tavrel-cli dump FILE [--kind K]: a shape file decoded, as one JSON object.
#include <iostream>

#include <nlohmann/json.hpp>

#include "base/Files.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/ShapeJson.h"
#include "shape/ShapeFile.h"
#include "shape/ShapeKind.h"

namespace tavrel::cli {
namespace {

struct DumpOptions {
  std::string file;
  std::string kind = "car";
};

int runDump(const DumpOptions& options) {
  const ShapeKind kind = *kindFromName(options.kind);
  const auto size = fileSize(options.file);
  if (!size) {
    std::cerr << "Cannot read " << options.file << '\n';
    return kUsage;
  }
  StreamMessages messages(std::cerr);
  auto car = LoadShapeFile(options.file, messages, kind);
  if (!car) return *size > Car::kImageSize ? kFailed : kUsage;
  std::cout << ShapeToJson(*car).dump() << '\n';
  return car->m_Valid ? kSuccess : kFailed;
}

}  // namespace

void addDumpCommand(CLI::App& app) {
  auto options = std::make_shared<DumpOptions>();
  CLI::App* dump = app.add_subcommand("dump", "Decode a shape file and print it as JSON");
  dump->add_option("FILE", options->file, "Shape or part file")->required();
  dump->add_option("--kind", options->kind, "Kind of shape, which fixes its table offset")
      ->check(CLI::IsMember({"car", "wheel", "helmet", "cockpit", "steering-wheel"}));
  dump->callback([options] { exitStatus() = runDump(*options); });
}

}  // namespace tavrel::cli
