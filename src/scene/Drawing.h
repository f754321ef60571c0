#pragma once
// The immediate-mode drawing calls a car view frame is made of. The car view's
// GL adapter forwards them to OpenGL; the frame recorder keeps them as batches
// for the tests and for tavrel-cli frame. State set through it stays set until
// it is set again, as in OpenGL: the frame relies on that from piece to piece.

#include <array>
#include <string>

#include "scene/Matrix4.h"

namespace tavrel {

// A colour as the drawing takes it: red, green and blue from 0 to 1.
using DrawColour = std::array<double, 3>;

// A number to write over the finished picture, at a model point.
struct FrameLabel {
  std::string text;
  Vec3 at;
};

enum class DrawMode { Points, Lines, Polygon };

enum class Capability {
  Texturing,
  Lighting,
  Culling,    // of front faces
  DepthTest,  // on from the start of every frame
};

class Drawing {
 public:
  virtual ~Drawing() = default;

  virtual void Begin(DrawMode mode) = 0;
  virtual void End() = 0;
  virtual void Vertex(double x, double y, double z) = 0;
  virtual void Color(double r, double g, double b) = 0;
  virtual void TexCoord(double u, double v) = 0;
  virtual void Normal(double x, double y, double z) = 0;

  virtual void Enable(Capability capability) = 0;
  virtual void Disable(Capability capability) = 0;
  // Texture slot 1 to 4 of the document.
  virtual void BindTexture(int slot) = 0;
  // Makes the four texture objects and fills them from the document's slots,
  // binding each in turn: slot 4 is left bound.
  virtual void MakeTextures() = 0;
  virtual void LineWidth(double width) = 0;
  virtual void PointSize(double size) = 0;

  // Counted: each returns the matrix depth after it, 0 again at the end of a frame.
  virtual int PushMatrix() = 0;
  virtual int PopMatrix() = 0;
  virtual void Translate(double x, double y, double z) = 0;
  virtual void Rotate(double degrees, double x, double y, double z) = 0;
  // The outline of a cylinder along z from radius `base` at z = 0 to `top` at
  // z = `height`, in the current colour.
  virtual void Cylinder(double base, double top, double height, int slices, int stacks) = 0;

  // A number written over the finished picture where the model point (x, y, z) shows.
  virtual void Label(const std::string& text, double x, double y, double z) = 0;
};

}  // namespace tavrel
