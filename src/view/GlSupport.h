#pragma once
// Whether this machine can make the OpenGL context the car view draws with.
// A GL widget in a window without one brings the toolkit down, so a car view is
// made only when this says yes.

namespace tavrel {

// Asked of the platform once; the answer holds for the run.
bool CanMakeGlContext();

}  // namespace tavrel
