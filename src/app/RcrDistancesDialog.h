#pragma once
// "RCR Distances": the four view distances from which the game draws its cars
// from the RCR pictures, edited in place in the game's executable.

class QWidget;

namespace tavrel {

class Messages;
class ProgramValues;

// Shows the block of the current patch level (zeros for what cannot be read)
// and patches it on "Patch". An executable that cannot be opened for update
// keeps the dialog open; Cancel and Enter close it without writing.
void RunRcrDistances(QWidget* parent, ProgramValues& program, Messages& messages);

}  // namespace tavrel
