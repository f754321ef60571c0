#pragma once
// The small modal dialogs through which a player changes single values: a
// point's or connection's three numbers, a camera, a data value, the animation
// delay, and the car's livery JAM.

#include <functional>
#include <optional>
#include <string>

#include "shape/ElementFields.h"

class QWidget;

namespace tavrel {

class Messages;

// Each runs its dialog modally over `parent`; true on OK, with the values changed.
// A field that holds no number of its kind is named through `messages`, gets the
// focus and keeps the dialog open.
//
// "View Center" calls `viewCenter` and leaves the dialog open; the caller uses
// the values the dialog opened with, which Cancel does not take back.
bool RunPointEditor(QWidget* parent, PointValues& values, const std::function<void()>& viewCenter, Messages& messages);
bool RunCameraEditor(QWidget* parent, CameraFields& fields, Messages& messages);
bool RunDataValueEditor(QWidget* parent, int& value, Messages& messages);

// "Set Animation Delay": true on OK with `delay` changed (0 to 65535).
bool RunAnimationDelay(QWidget* parent, unsigned& delay, Messages& messages);

// "Set Car Texture Jam", opened on the livery `shown`: the name typed or chosen, nothing on Cancel.
std::optional<std::string> ChooseCarJam(QWidget* parent, const std::string& shown);

}  // namespace tavrel
