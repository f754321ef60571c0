// The demo car: nose and front monocoque, the cockpit tub, the engine cover
// with its airbox, sidepods, floor and diffuser, front and rear wings, and the
// suspension arms that reach out to the four wheel centres.
#include <array>

#include "demo/DemoShapes.h"
#include "demo/Solids.h"

namespace tavrel::demo {
namespace {

// Wheel centres: front at y 1450, rear at y -1650, tyres of radius 340.
constexpr double kFrontAxleY = 1450;
constexpr double kRearAxleY = -1650;
constexpr double kFrontTrack = 780;
constexpr double kRearTrack = 760;
constexpr double kWheelRadius = 340;

// Where the driver's helmet sits, above the cockpit opening.
constexpr Vec3 kHelmetCentre{0, -380, 770};

// Each part of the car has its own command words, so the list uses many of the
// game's opcodes: polygons with and without leading words, 0x10 and 0x13 with
// the 0x80 form that moves the index list back by two words.
const CommandHead kNoseHead{0x10, {0x3C, 0x80, 0x0001, 0x0002}};
const CommandHead kTubHead{0x10, {0x3C, 0x0040}};
const CommandHead kEngineHead{0x11, {0x3C, 0x0000}};
const CommandHead kSidepodHead{0x12, {0x3C, 0x0001}};
const CommandHead kFloorHead{0x04, {}};
const CommandHead kDiffuserHead{0x13, {0x02, 0x80, 0x0003, 0x0004}};
const CommandHead kFrontWingHead{0x01, {}};
const CommandHead kFlapHead{0x02, {}};
const CommandHead kEndplateHead{0x03, {}};
const CommandHead kPylonHead{0x16, {0x18, 0x0000}};
const CommandHead kRearWingHead{0x0A, {}};
const CommandHead kBeamWingHead{0x17, {0x18, 0x80, 0x0005, 0x0006}};
const CommandHead kArmHead{0x00, {}};

void addNose(MeshBuilder& mesh) {
  const Section sections[] = {
      {2480, 30, 240, 45, 265, 40, 300, 25, 320},     {2250, 60, 220, 90, 260, 80, 340, 55, 380},
      {1900, 90, 200, 130, 260, 120, 400, 85, 460},   {1500, 120, 170, 170, 250, 160, 450, 110, 540},
      {1100, 170, 120, 230, 230, 215, 500, 150, 610}, {750, 250, 80, 320, 230, 305, 540, 220, 650},
      {300, 300, 70, 390, 250, 375, 520, 340, 660},
  };
  std::vector<Ring> rings;
  for (const Section& s : sections) rings.push_back(SectionRing(s));
  mesh.AddLoft(rings, kNoseHead, Surface::Nose);
}

// The tub around the driver: its cross-section is a U, the outside of the
// monocoque with the cockpit well sunk into its top.
void addTub(MeshBuilder& mesh) {
  constexpr double kInnerX = 270;
  constexpr double kFloorZ = 180;
  std::vector<Ring> rings;
  for (auto [y, rimZ] : {std::pair{300.0, 660.0}, {-150.0, 630.0}, {-620.0, 610.0}}) {
    rings.push_back({{300, y, 70},
                     {390, y, 250},
                     {375, y, 520},
                     {340, y, rimZ},
                     {kInnerX, y, rimZ},
                     {kInnerX, y, kFloorZ},
                     {-kInnerX, y, kFloorZ},
                     {-kInnerX, y, rimZ},
                     {-340, y, rimZ},
                     {-375, y, 520},
                     {-390, y, 250},
                     {-300, y, 70}});
  }
  // The U is not convex: its caps are the two walls and the floor.
  const std::vector<std::vector<int>> pieces = {{0, 1, 2, 3, 4, 5}, {0, 5, 6, 11}, {6, 7, 8, 9, 10, 11}};
  const int first = mesh.AddLoft(rings, kTubHead, Surface::Body, pieces);
  // The well's walls and floor (ring edges 4 to 6) are bare carbon.
  for (int gap = 0; gap < 2; ++gap)
    for (int edge = 4; edge <= 6; ++edge) mesh.SetSurface(first + 3 + gap * 12 + edge, Surface::Carbon);
}

void addEngineCover(MeshBuilder& mesh) {
  const Section sections[] = {
      {-620, 300, 70, 390, 250, 375, 520, 340, 610},  {-760, 300, 70, 385, 250, 330, 560, 130, 1000},
      {-1100, 280, 70, 340, 240, 280, 520, 110, 880}, {-1500, 240, 70, 280, 220, 220, 460, 90, 700},
      {-1850, 180, 70, 200, 200, 160, 400, 70, 520},  {-2100, 120, 90, 130, 180, 110, 340, 60, 400},
  };
  std::vector<Ring> rings;
  for (const Section& s : sections) rings.push_back(SectionRing(s));
  const int first = mesh.AddLoft(rings, kEngineHead, Surface::Body);
  // The airbox intake above the driver's head: the top face of the first gap.
  mesh.SetSurface(first + 1 + 3, Surface::Carbon);
}

void addSidepods(MeshBuilder& mesh) {
  struct PodSection {
    double y, innerX, outerX, bottomZ, topZ;
  };
  const PodSection sections[] = {
      {250, 330, 690, 80, 470}, {80, 330, 710, 80, 500}, {-750, 330, 660, 80, 470}, {-1350, 250, 420, 80, 300}};
  std::vector<Ring> rings;
  for (const PodSection& s : sections)
    rings.push_back({{s.innerX, s.y, s.bottomZ},
                     {s.outerX - 20, s.y, s.bottomZ},
                     {s.outerX, s.y, s.bottomZ + 80},
                     {s.outerX - 10, s.y, s.topZ - 60},
                     {s.outerX - 60, s.y, s.topZ},
                     {s.innerX, s.y, s.topZ}});
  for (const auto& side : {rings, Mirrored(rings)}) {
    const int first = mesh.AddLoft(side, kSidepodHead, Surface::Body);
    mesh.SetSurface(first, Surface::Carbon);  // the radiator intake
  }
}

void addFloor(MeshBuilder& mesh) {
  mesh.AddLoft(BoxRings({-720, -1700, 35}, {720, 300, 60}), kFloorHead, Surface::Carbon);
  // The diffuser rises towards the back of the car.
  mesh.AddLoft({{{-500, -1700, 35}, {500, -1700, 35}, {500, -1700, 70}, {-500, -1700, 70}},
                {{-500, -2150, 180}, {500, -2150, 180}, {500, -2150, 215}, {-500, -2150, 215}}},
               kDiffuserHead, Surface::Carbon);
}

void addWing(MeshBuilder& mesh, double span, double y, double z, double chord, double thickness, double angle,
             const CommandHead& head) {
  mesh.AddLoft({AirfoilRing(-span, y, z, chord, thickness, angle), AirfoilRing(span, y, z, chord, thickness, angle)},
               head, Surface::Wing);
}

void addEndplates(MeshBuilder& mesh, double innerX, Vec3 low, Vec3 high) {
  const auto rings = BoxRings({innerX, low.y, low.z}, {innerX + 20, high.y, high.z});
  mesh.AddLoft(rings, kEndplateHead, Surface::Wing);
  mesh.AddLoft(Mirrored(rings), kEndplateHead, Surface::Wing);
}

void addFrontWing(MeshBuilder& mesh) {
  addWing(mesh, 870, 2490, 110, 320, 45, 5, kFrontWingHead);
  addWing(mesh, 860, 2230, 150, 130, 28, 25, kFlapHead);
  addEndplates(mesh, 870, {0, 2140, 60}, {0, 2500, 300});
  // Pylons that hang the wing under the raised nose.
  const auto pylon = BoxRings({60, 2280, 130}, {80, 2400, 236});
  mesh.AddLoft(pylon, kPylonHead, Surface::Carbon);
  mesh.AddLoft(Mirrored(pylon), kPylonHead, Surface::Carbon);
}

void addRearWing(MeshBuilder& mesh) {
  addWing(mesh, 480, -2150, 870, 220, 40, 15, kRearWingHead);
  addWing(mesh, 480, -2340, 920, 140, 25, 35, kRearWingHead);
  addWing(mesh, 480, -2170, 420, 150, 30, 10, kBeamWingHead);
  addEndplates(mesh, 480, {0, -2500, 150}, {0, -2120, 990});
}

// One wishbone: a thin triangle from two chassis mounts to the upright.
int addArm(MeshBuilder& mesh, Vec3 front, Vec3 back, Vec3 outer) {
  const Ring low{front, back, outer};
  const int first = mesh.PointCount();
  mesh.AddLoft({low, Moved(low, {0, 0, 14})}, kArmHead, Surface::Carbon);
  return first;
}

// Upper and lower wishbones of one corner, the upright joining their outer
// ends through the wheel centre, and the push rod. Returns the wheel centre.
int addCorner(MeshBuilder& mesh, double side, double axleY, double track, double innerX) {
  const int upper = addArm(mesh, {side * innerX, axleY + 200, 440}, {side * innerX, axleY - 200, 440},
                           {side * (track - 130), axleY, 470});
  const int lower = addArm(mesh, {side * innerX, axleY + 200, 200}, {side * innerX, axleY - 200, 200},
                           {side * (track - 140), axleY, 215});
  const int centre = mesh.AddPoint({side * track, axleY, kWheelRadius});
  mesh.Connect(centre, upper + 2);
  mesh.Connect(centre, lower + 2);
  mesh.Connect(lower + 2, upper);
  return centre;
}

}  // namespace

DemoShape MakeDemoCar() {
  MeshBuilder mesh;
  const int helmet = mesh.AddPoint(kHelmetCentre);
  mesh.AddMarker(0x80, {0x0000, 0x0100, 0x0200});
  addNose(mesh);
  addTub(mesh);
  addEngineCover(mesh);
  addSidepods(mesh);
  addFloor(mesh);
  mesh.AddMarker(0x90, {0x0001, 0x0000, 0x0000});
  addFrontWing(mesh);
  addRearWing(mesh);
  mesh.AddMarker(0x90, {0x0002, 0x0000, 0x0000});
  const std::array<int, 4> wheels = {
      addCorner(mesh, -1, kFrontAxleY, kFrontTrack, 120), addCorner(mesh, 1, kFrontAxleY, kFrontTrack, 120),
      addCorner(mesh, -1, kRearAxleY, kRearTrack, 200), addCorner(mesh, 1, kRearAxleY, kRearTrack, 200)};
  mesh.AddMarker(0x80, {0x0003, 0x0100, 0x0200});
  mesh.SwapPoints(helmet, kHelmetPoint);
  for (int i = 0; i < 4; ++i) mesh.SwapPoints(wheels[static_cast<std::size_t>(i)], kFirstWheelPoint + i);
  // Data values: eight words of detail distances, eight of weights, eight of set-up.
  std::vector<std::uint16_t> data = {400, 800, 1600, 3200, 6400, 12800, 25600, 51200, 600, 595, 45, 55,
                                     120, 140, 30,   35,   12,   14,    3,     4,     250, 250, 80, 90};
  return FinishShape(mesh, ShapeKind::Car, std::move(data));
}

}  // namespace tavrel::demo
