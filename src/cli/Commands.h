#pragma once
// tavrel-cli's subcommands. Each adds itself to the app with its options and
// sets the exit status it ends with (cli/ExitStatus.h).

#include <CLI/CLI.hpp>

#include "cli/ExitStatus.h"

namespace tavrel::cli {

void addDumpCommand(CLI::App& app);
void addCheckCommand(CLI::App& app);
void addExeCommand(CLI::App& app);
void addRcrCommand(CLI::App& app);
void addTriggerCommand(CLI::App& app);
void addOutlineCommand(CLI::App& app);
// Adds the "jam" group with info, png and extract.
void addJamCommands(CLI::App& app);
void addTexturesCommand(CLI::App& app);
// Adds "outline" to the "jam" group; call it after the other JAM subcommands.
void addJamOutlineCommand(CLI::App& app);
void addTransferCommands(CLI::App& app);
void addTextureCfgCommand(CLI::App& app);
void addMakeDemoCommand(CLI::App& app);
void addExportGltfCommand(CLI::App& app);
void addFrameCommand(CLI::App& app);
void addPickCommand(CLI::App& app);

}  // namespace tavrel::cli
