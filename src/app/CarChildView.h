#pragma once
// A car view in a document window: the view's commands on the route (display
// switches, viewpoints, zoom, animation, textures, RCR images, printing).

#include "app/CommandTarget.h"
#include "view/CarView.h"

class QPrinter;

namespace tavrel {

class FileChooser;
class Messages;

class CarChildView : public CarView, public CommandTarget {
  Q_OBJECT
 public:
  CarChildView(Document& document, ProgramValues& program, EditorHost& editors, Messages& messages,
               FileChooser& chooser, QPrinter& printer);

 private:
  void AddDisplaySwitches();
  void AddViewpoints();
  void AddTextureCommands();
  void AddPrinting(QPrinter& printer);
  void SetCarTextureJam();
  void ProduceRcrImages();
  void Print(QPrinter& printer);

  Messages& m_Messages;
  FileChooser& m_Chooser;
};

}  // namespace tavrel
