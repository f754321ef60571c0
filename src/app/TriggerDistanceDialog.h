#pragma once
// "Set RCR distance trigger": the distance at which the game switches to its
// RCR pictures, edited in place in the game's executable.

class QWidget;

namespace tavrel {

class Messages;
class ProgramValues;

// Opens the executable for update first: one that cannot be opened shows the
// missing-executable message and no dialog. The value is written on OK only.
void RunTriggerDistance(QWidget* parent, ProgramValues& program, Messages& messages);

}  // namespace tavrel
