#pragma once
// Where the JAM view draws a JAM: each item where it lies on the file's canvas
// at a zoom the zoom commands change, the outlines and labels of "Show RCR Jam
// Ids" in a column, and what the status bar says of the place under the mouse.
// The view only paints what this gives.

#include <string>

namespace tavrel {

// A rectangle in drawing coordinates: the scrollable area's, at the current zoom.
struct JamRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const JamRect&) const = default;
};

struct JamPoint {
  int x = 0;
  int y = 0;
  bool operator==(const JamPoint&) const = default;
};

class JamLayout {
 public:
  // The scrollable area at zoom 1; it grows and shrinks with the zoom.
  static constexpr int kAreaWidth = 512;
  static constexpr int kAreaHeight = 2000;
  static constexpr double kZoomInFactor = 1.1;
  static constexpr double kZoomOutFactor = 0.9;
  // A zoom that would leave this range is not taken: beyond it the drawing's
  // coordinates would overflow, or the drawing would vanish.
  static constexpr double kMaxZoom = 32.0;
  static constexpr double kMinZoom = 1.0 / 32.0;
  // The id outlines stand in a column, one every this many rows at zoom 1.
  static constexpr int kIdRowSpacing = 30;
  // Where a label stands from the middle of its outline.
  static constexpr int kLabelOffset = 10;

  double Zoom() const { return m_Zoom; }
  void ZoomIn() { ZoomBy(kZoomInFactor); }
  void ZoomOut() { ZoomBy(kZoomOutFactor); }

  int Scaled(int length) const { return static_cast<int>(length * m_Zoom); }
  int AreaWidth() const { return Scaled(kAreaWidth); }
  int AreaHeight() const { return Scaled(kAreaHeight); }
  // An item at (x, y) of width x height canvas pixels.
  JamRect ItemRect(int x, int y, int width, int height) const;
  // Item `index`'s outline in the id column, of the item's drawn size.
  JamRect IdOutline(int index, int width, int height) const;
  // The top left of the outline's label.
  static JamPoint IdLabelAt(const JamRect& outline);
  // Whether the outline or a label of `textHeight` below its top reaches into rows `top` to `bottom`.
  static bool IdRowMeets(const JamRect& outline, int textHeight, int top, int bottom);
  // Every how many items a label is written at this zoom, so that labels of
  // `textHeight` pixels never run into each other.
  int IdLabelStep(int textHeight) const;
  // The canvas pixel under a point of the drawing.
  JamPoint CanvasPoint(JamPoint drawn) const;

 private:
  void ZoomBy(double factor);
  double m_Zoom = 1.0;
};

// "#300(12c)": an id in decimal and hexadecimal.
std::string JamIdLabel(int id);
// "[value] = RGB(r,g,b) x,y(x,y)" for the canvas pixel (x, y) holding `canvasByte`, drawn in that colour.
std::string JamStatusText(int canvasByte, int red, int green, int blue, JamPoint canvas);

}  // namespace tavrel
