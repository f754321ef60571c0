#pragma once
// The points the game places the parts at: the tyres at car points 37 to 40
// (front left, front right, rear left, rear right), the helmet at car point 0,
// the steering wheel at cockpit point 84. They need no connection to be used.

namespace tavrel {

inline constexpr int kFirstWheelPoint = 37;
inline constexpr int kWheelCount = 4;
inline constexpr int kHelmetPoint = 0;
inline constexpr int kSteeringWheelPoint = 84;

}  // namespace tavrel
