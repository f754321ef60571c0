#pragma once
// "Edit Zav Location...": the folder the game is installed in.

class QWidget;

namespace tavrel {

class Messages;
class ProgramValues;

// Asks for a folder, starting at the desktop, and stores it as the game
// location; a cancelled browser or a folder without a local path changes nothing.
void EditGameLocation(QWidget* parent, ProgramValues& program, Messages& messages);

}  // namespace tavrel
