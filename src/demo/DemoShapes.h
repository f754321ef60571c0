#pragma once
// The demo's shapes, made in code: an open-wheel race car about 5000 units long
// and its wheel, helmet, cockpit and steering wheel, each a valid shape image
// of its kind, and nine in-car cameras. Model axes as Tavrel draws them: x to
// the car's right, y towards the nose, z up, the ground at z = 0.

#include <array>
#include <vector>

#include "demo/MeshBuilder.h"
#include "demo/ShapeImageBuilder.h"
#include "shape/Camera.h"
#include "shape/PlacementPoints.h"
#include "shape/ShapeKind.h"

namespace tavrel::demo {

struct DemoShape {
  ShapeKind kind = ShapeKind::Car;
  ShapeRecipe recipe;
  std::vector<Vec3> points;       // model axes
  std::vector<Polygon> polygons;  // one per command position
};

DemoShape MakeDemoCar();
DemoShape MakeDemoWheel();
DemoShape MakeDemoHelmet();
DemoShape MakeDemoCockpit();
DemoShape MakeDemoSteeringWheel();
DemoShape MakeDemoShape(ShapeKind kind);

std::array<CameraRecord, 9> MakeDemoCameras();

}  // namespace tavrel::demo
