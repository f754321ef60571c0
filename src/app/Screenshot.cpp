#include "app/Screenshot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPalette>
#include <cstdio>
#include <iostream>

#include "app/PngEncoding.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "document/Document.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"
#include "view/OffscreenFrame.h"

namespace tavrel {
namespace {

int fail(const std::string& text, int status) {
  std::fprintf(stderr, "tavrel: %s\n", text.c_str());
  return status;
}

// "right, left, ... or back-right".
std::string fixedViewNames() {
  std::string names;
  for (const FixedView& view : kFixedViews)
    names += std::string(names.empty() ? "" : &view == &kFixedViews.back() ? " or " : ", ") + std::string(view.name);
  return names;
}

// The viewpoint of options that make sense.
Viewpoint viewpointFor(const ScreenshotOptions& options) {
  Viewpoint viewpoint;
  if (options.view) viewpoint.SetFixedView(*FixedViewNamed(*options.view));
  if (options.camera) viewpoint.m_CameraView = *options.camera;
  return viewpoint;
}

bool loadCar(Document& document, const StartOptions& start) {
  if (start.importFromExe) return document.NewFromExecutable() && document.HasCar();
  return document.Open(start.file.toStdString()) && document.HasCar();
}

}  // namespace

std::optional<std::string> ScreenshotOptionsError(const ScreenshotOptions& options) {
  if (options.size.width() < 1 || options.size.height() < 1) return "--size takes two positive numbers W,H";
  if (options.view && FixedViewNamed(*options.view) == nullptr) return "--view takes " + fixedViewNames();
  if (options.camera && (*options.camera < 1 || *options.camera > 9)) return "--camera takes 1 to 9";
  return std::nullopt;
}

int RunScreenshot(const ScreenshotOptions& options, const StartOptions& start, Settings& settings) {
  if (const auto error = ScreenshotOptionsError(options)) return fail(*error, 2);
  if (start.file.isEmpty() == !start.importFromExe) return fail("--screenshot takes one car file or --import-exe", 2);
  DisplayFlags flags = ReadDisplayFlags(settings);
  if (!options.set.empty())
    if (const auto error = SetDisplayFlags(flags, options.set)) return fail(*error, 2);
  const Viewpoint viewpoint = viewpointFor(options);

  ProgramValues program(settings);
  if (start.gameDirectory) program.OverrideGameLocation(*start.gameDirectory);
  if (start.patchLevel)
    program.OverridePatchLevel(*start.patchLevel);
  else
    program.UseStoredPatchLevel();
  StreamMessages messages(std::cerr);
  NoFileChooser chooser;
  Document document(program, messages, chooser);
  document.ListNothing();
  if (!loadCar(document, start)) return fail("no car to draw", 1);
  document.ResetTextures(flags.m_CarJamName);

  OffscreenFrame frame(document.TextureBitmaps());
  if (!frame.Ready()) return fail("Cannot Make OpenGL Context", 1);
  const QSize largest = frame.LargestSize();
  if (options.size.width() > largest.width() || options.size.height() > largest.height())
    return fail(format("--size %d,%d is larger than OpenGL draws here: at most %d,%d", options.size.width(),
                       options.size.height(), largest.width(), largest.height()),
                2);
  const FrameInput input{document.GetCar(), document.Mapping(), flags};
  const ViewMatrices view =
      ViewMatricesFor(viewpoint, document.GetCar(), {options.size.width(), options.size.height()});
  const QColor background = QApplication::palette().color(QPalette::Base);
  if (options.frames > 0) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < options.frames; ++i) frame.Draw(input, view, options.size, background);
    std::fprintf(stderr, "mean frame time: %.3f ms\n",
                 static_cast<double>(timer.nsecsElapsed()) / 1e6 / options.frames);
  }
  const QImage picture = frame.Render(input, view, options.size, background);
  if (picture.isNull()) return fail("Cannot Grab Screen", 1);
  if (const WriteResult written = WritePngFile(picture, options.out.toStdString()); !written)
    return fail(WriteFailureMessage(written), 1);
  return 0;
}

}  // namespace tavrel
