// tavrel-cli check FILE [--kind K] [--json]: whether a shape file is whole
// enough to patch into the game, and what is odd about it.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/Files.h"
#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/ShapeArgument.h"
#include "shape/ShapeCheck.h"
#include "shape/ShapeFile.h"
#include "textures/CarMappingTable.h"

namespace tavrel::cli {
namespace {

struct CheckOptions {
  std::string file;
  std::string kind = "car";
  bool json = false;
};

// A file refused before it is decoded (of the wrong length, say) has that one
// problem: the message the program would show.
class FirstMessage : public Messages {
 public:
  using Messages::ask;
  void show(const std::string& text, Icon) override {
    if (first.empty()) first = text;
  }
  bool ask(const std::string&, Answer) override { return false; }
  Choice choose(const std::string&) override { return Choice::No; }
  std::string first;
};

std::vector<ShapeProblem> problemsOf(const CheckOptions& options) {
  const ShapeKind kind = *kindFromName(options.kind);
  FirstMessage messages;
  const auto shape = LoadShapeFile(options.file, messages, kind);
  if (!shape) return {{Severity::Error, messages.first}};
  CarMappingTable mapping;
  mapping.ReadTextureCfg(std::filesystem::current_path());
  return CheckShape(*shape, kind, &mapping);
}

const char* severityName(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "error";
    case Severity::IndexError:
      return "index error";
    case Severity::Warning:
      return "warning";
  }
  return "error";
}

void print(const std::vector<ShapeProblem>& problems, bool json) {
  if (!json) {
    for (const ShapeProblem& problem : problems)
      std::cout << severityName(problem.severity) << ": " << problem.text << '\n';
    return;
  }
  nlohmann::json list = nlohmann::json::array();
  for (const ShapeProblem& problem : problems)
    list.push_back({{"severity", severityName(problem.severity)}, {"text", problem.text}});
  std::cout << list.dump() << '\n';
}

int runCheck(const CheckOptions& options) {
  if (!fileSize(options.file)) {
    std::cerr << "Cannot read " << options.file << '\n';
    return kUsage;
  }
  const std::vector<ShapeProblem> problems = problemsOf(options);
  print(problems, options.json);
  const bool refused = HasProblem(problems, Severity::Error) || HasProblem(problems, Severity::IndexError);
  return refused ? kFailed : kSuccess;
}

}  // namespace

void addCheckCommand(CLI::App& app) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App* check = app.add_subcommand(
      "check",
      "List what stops a shape file from being patched into the game (errors, index errors), then what is "
      "odd about it (warnings), one a line; exit 1 when there is an error");
  check->add_option("FILE", options->file, "Shape or part file")->required();
  check->add_option("--kind", options->kind, "Kind of shape, which fixes its table offset and file length")
      ->check(CLI::IsMember(ShapeKindNames()));
  check->add_flag("--json", options->json, "Print the problems as a JSON array of {\"severity\", \"text\"}");
  check->callback([options] { exitStatus() = runCheck(*options); });
}

}  // namespace tavrel::cli
