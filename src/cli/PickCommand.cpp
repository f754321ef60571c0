// tavrel-cli pick FILE [--kind K] --size W,H --at X,Y [--angles AX,AY,AZ] [--distance D]
// The point a car view of that client size picks under the mouse, in the normal
// view: its number, or "none".
#include <cmath>
#include <iostream>

#include "base/Messages.h"
#include "cli/Commands.h"
#include "cli/ShapeArgument.h"
#include "scene/PointPicking.h"
#include "shape/ShapeKind.h"

namespace tavrel::cli {
namespace {

struct PickOptions {
  std::string file;
  std::string kind = "car";
  std::vector<int> size;
  std::vector<double> at;
  std::vector<double> angles;
  double distance = Viewpoint{}.m_Distance;
};

Viewpoint normalView(const PickOptions& options) {
  Viewpoint viewpoint;
  if (!options.angles.empty()) {
    viewpoint.m_AngleX = options.angles[0];
    viewpoint.m_AngleY = options.angles[1];
    viewpoint.m_AngleZ = options.angles[2];
  }
  viewpoint.m_Distance = options.distance;
  return viewpoint;
}

int runPick(const PickOptions& options) {
  StreamMessages messages(std::cerr);
  const LoadedShape loaded = LoadShapeArgument(options.file, *kindFromName(options.kind), messages);
  if (loaded.status != kSuccess) return loaded.status;
  const ClientSize client{options.size[0], options.size[1]};
  const auto point =
      FindPointAt(*loaded.car, ViewMatricesFor(normalView(options), nullptr, client), options.at[0], options.at[1]);
  if (point)
    std::cout << *point << '\n';
  else
    std::cout << "none\n";
  return kSuccess;
}

// CLI11's own number checks let "nan" and "inf" through and print the whole
// range of a double when they refuse a value.
CLI::Validator finiteNumber(bool positive) {
  return CLI::Validator(
      [positive](std::string& text) -> std::string {
        double value = 0;
        if (!CLI::detail::lexical_cast(text, value) || !std::isfinite(value)) return text + " is not a number";
        if (positive && value <= 0) return text + " is not above 0";
        return {};
      },
      positive ? "POSITIVE" : "NUMBER");
}

// Values given as one comma-separated word, e.g. --size 1024,768.
template <class T>
CLI::Option* addList(CLI::App* command, const std::string& name, std::vector<T>& values, int count,
                     const std::string& description) {
  return command->add_option(name, values, description)->delimiter(',')->expected(count)->allow_extra_args(false);
}

}  // namespace

void addPickCommand(CLI::App& app) {
  auto options = std::make_shared<PickOptions>();
  CLI::App* pick = app.add_subcommand(
      "pick", "Print the number of the point a car view of that size picks under the mouse, or \"none\"");
  pick->add_option("FILE", options->file, "Shape or part file")->required();
  pick->add_option("--kind", options->kind, "Kind of shape, which fixes its table offset")
      ->check(CLI::IsMember(ShapeKindNames()));
  addList(pick, "--size", options->size, 2, "W,H: the view's client size in pixels")
      ->required()
      ->check(CLI::Range(1, 65535));
  addList(pick, "--at", options->at, 2, "X,Y: the mouse in client pixels, from the top left")
      ->required()
      ->check(finiteNumber(false));
  addList(pick, "--angles", options->angles, 3, "AX,AY,AZ: the view's angles in degrees (default -148,131,181)")
      ->check(finiteNumber(false));
  pick->add_option("--distance", options->distance, "The eye's distance from the model origin (default 8000)")
      ->check(finiteNumber(true));
  pick->callback([options] { exitStatus() = runPick(*options); });
}

}  // namespace tavrel::cli
