#pragma once
// Fields that hold an integer, checked when the dialog takes them the way every
// dialog of the program checks numbers.

#include <optional>

class QLineEdit;
class QWidget;

namespace tavrel {

class Messages;

// An edit named "edit<id>" showing `value`.
QLineEdit* NewIntegerEdit(int id, int value, QWidget* parent);
void ShowInteger(QLineEdit& field, int value);

// The field's integer (decimal digits that fit 32 bits, with an optional sign
// and blanks around them); otherwise "Please enter an integer.", the focus on the
// field with its text selected, and nothing.
std::optional<int> TakeInteger(QLineEdit& field, Messages& messages);

// The field's unsigned integer up to `max` (decimal digits, an optional plus and
// blanks around them). Otherwise, with the focus on the field as above, nothing
// and "Please enter a positive integer." or, for a larger number, "Please enter
// an integer between 0 and <max>.".
std::optional<unsigned> TakeUnsigned(QLineEdit& field, unsigned max, Messages& messages);

}  // namespace tavrel
