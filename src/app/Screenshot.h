#pragma once
// `tavrel --screenshot`: the car view's frame for a car file or the game's car,
// drawn off-screen as a window with those display settings would show it, and
// written as a PNG picture.

#include <QSize>
#include <QString>
#include <optional>
#include <string>

#include "app/Application.h"

namespace tavrel {

class Settings;

struct ScreenshotOptions {
  QString out;
  QSize size{1024, 768};
  std::optional<std::string> view;  // a fixed view's command-line name
  std::optional<int> camera;        // 1 to 9
  std::string set;                  // "KEY=0|1,..."
  int frames = 0;                   // draw this many frames first and report their mean time
};

// What makes no sense in the size, view and camera, said as the program says
// it; nothing when they do.
std::optional<std::string> ScreenshotOptionsError(const ScreenshotOptions& options);

// The exit status: 0 when the picture was written; 1 when there was no car or
// it could not be drawn or written; 2 for options that make no sense.
int RunScreenshot(const ScreenshotOptions& options, const StartOptions& start, Settings& settings);

}  // namespace tavrel
