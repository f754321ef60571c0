// tavrel-cli: the headless batch tool over Tavrel's core.
#include <string>

#include "cli/Commands.h"

namespace tavrel::cli {

int& exitStatus() {
  static int status = kSuccess;
  return status;
}

}  // namespace tavrel::cli

int main(int argc, char** argv) {
  CLI::App app{"Tavrel command-line tool: reads and writes Zav's car shapes, executables and textures."};
  app.set_version_flag("--version", std::string("tavrel-cli ") + TAVREL_VERSION);
  app.require_subcommand(1);
  tavrel::cli::addDumpCommand(app);
  tavrel::cli::addCheckCommand(app);
  tavrel::cli::addExeCommand(app);
  tavrel::cli::addRcrCommand(app);
  tavrel::cli::addTriggerCommand(app);
  tavrel::cli::addOutlineCommand(app);
  tavrel::cli::addJamCommands(app);
  tavrel::cli::addJamOutlineCommand(app);
  tavrel::cli::addTransferCommands(app);
  tavrel::cli::addTextureCfgCommand(app);
  tavrel::cli::addTexturesCommand(app);
  tavrel::cli::addMakeDemoCommand(app);
  tavrel::cli::addExportGltfCommand(app);
  tavrel::cli::addFrameCommand(app);
  tavrel::cli::addPickCommand(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return tavrel::cli::kUsage;
  }
  return tavrel::cli::exitStatus();
}
