#pragma once
// A JAM view in a document window: the view's commands on the route and its
// status text in the main window's status bar.

#include <cstdint>

#include "app/CommandTarget.h"
#include "view/JamView.h"

namespace tavrel {

class MainWindow;

class JamChildView : public JamView, public CommandTarget {
 public:
  JamChildView(Document& document, Messages& messages, std::uint32_t jamSeed, MainWindow& window);
};

}  // namespace tavrel
