// tavrel-cli dump FILE [--kind K]: a shape file decoded, as one JSON object.
#include <iostream>

#include <nlohmann/json.hpp>

#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/ShapeArgument.h"
#include "cli/ShapeJson.h"
#include "shape/ShapeKind.h"

namespace tavrel::cli {
namespace {

struct DumpOptions {
  std::string file;
  std::string kind = "car";
};

int runDump(const DumpOptions& options) {
  StreamMessages messages(std::cerr);
  const LoadedShape loaded = LoadShapeArgument(options.file, *kindFromName(options.kind), messages);
  if (loaded.car) std::cout << ShapeToJson(*loaded.car).dump() << '\n';
  return loaded.status;
}

}  // namespace

void addDumpCommand(CLI::App& app) {
  auto options = std::make_shared<DumpOptions>();
  CLI::App* dump = app.add_subcommand("dump", "Decode a shape file and print it as JSON");
  dump->add_option("FILE", options->file, "Shape or part file")->required();
  dump->add_option("--kind", options->kind, "Kind of shape, which fixes its table offset")
      ->check(CLI::IsMember(ShapeKindNames()));
  dump->callback([options] { exitStatus() = runDump(*options); });
}

}  // namespace tavrel::cli
