// tavrel-cli texture-cfg [DIR]: the car mapping table after one reading of
// texture.cfg in DIR (the working directory when none is given), as JSON; why
// a texture.cfg there was refused goes to standard error.
#include <iostream>

#include <nlohmann/json.hpp>

#include "cli/Commands.h"
#include "textures/CarMappingTable.h"

namespace tavrel::cli {
namespace {

int runTextureCfg(const std::string& directory) {
  std::error_code error;
  if (!std::filesystem::is_directory(directory, error)) {
    std::cerr << "Cannot read " << directory << '\n';
    return kUsage;
  }
  CarMappingTable table;
  const std::string refusal = table.ReadTextureCfg(directory);
  if (!refusal.empty()) std::cerr << refusal << '\n';
  nlohmann::ordered_json entries = nlohmann::ordered_json::array();
  for (int position = 0; position < CarMappingTable::kEntryCount; ++position) {
    const MappingEntry entry = table.GetMapping(position);
    entries.push_back({{"mapped", entry.mapped}, {"texture", entry.texture}, {"u", entry.u}, {"v", entry.v}});
  }
  std::cout << entries.dump() << '\n';
  return kSuccess;
}

}  // namespace

void addTextureCfgCommand(CLI::App& app) {
  auto directory = std::make_shared<std::string>(".");
  CLI::App* command = app.add_subcommand(
      "texture-cfg", "Print the car mapping table read from texture.cfg (or the built-in one) as JSON");
  command->add_option("DIR", *directory, "Folder holding texture.cfg (default: the working directory)");
  command->callback([directory] { exitStatus() = runTextureCfg(*directory); });
}

}  // namespace tavrel::cli
