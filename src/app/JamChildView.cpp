#include "app/JamChildView.h"

#include "app/CommandTable.h"
#include "app/MainWindow.h"

namespace tavrel {

JamChildView::JamChildView(Document& document, Messages& messages, std::uint32_t jamSeed, MainWindow& window)
    : JamView(document, messages, jamSeed) {
  using namespace command;
  Handle(kZoomIn, [this] { ZoomIn(); });
  Handle(kZoomOut, [this] { ZoomOut(); });
  Handle(
      kShowJamIds, [this] { ToggleJamIds(); }, [this] { return ShowsJamIds(); });
  connect(this, &JamView::StatusText, &window, &MainWindow::SetStatusText);
}

}  // namespace tavrel
