#include "shape/Outline.h"

#include <algorithm>
#include <cstdint>

#include "base/Format.h"
#include "shape/Car.h"
#include "shape/JamFile.h"
#include "shape/OutlineLabels.h"
#include "textures/CarMappingTable.h"

namespace tavrel {

using namespace outline;

OutlineNode::OutlineNode(std::string label, int imageIndex, Observer* item, OutlineNode* above)
    : text(std::move(label)), image(imageIndex), element(item), parent(above) {}

OutlineNode& OutlineNode::Add(std::string label, int imageIndex, Observer* item) {
  auto& child = m_Children.emplace_back(std::make_unique<OutlineNode>(std::move(label), imageIndex, item, this));
  child->row = m_Children.size() - 1;
  return *child;
}

void OutlineNode::Remove(const OutlineNode& child) {
  const auto found = std::find_if(m_Children.begin(), m_Children.end(),
                                  [&](const std::unique_ptr<OutlineNode>& node) { return node.get() == &child; });
  if (found == m_Children.end()) return;
  for (auto later = m_Children.erase(found); later != m_Children.end(); ++later) --(*later)->row;
}

void OutlineNode::Move(const OutlineNode& child, std::size_t position) {
  const std::size_t from = child.row;
  if (from >= m_Children.size() || m_Children[from].get() != &child || position >= m_Children.size()) return;
  const auto first = m_Children.begin();
  if (position < from)
    std::rotate(first + std::ptrdiff_t(position), first + std::ptrdiff_t(from), first + std::ptrdiff_t(from) + 1);
  else
    std::rotate(first + std::ptrdiff_t(from), first + std::ptrdiff_t(from) + 1, first + std::ptrdiff_t(position) + 1);
  for (std::size_t i = std::min(from, position); i <= std::max(from, position); ++i) m_Children[i]->row = i;
}

const std::vector<std::unique_ptr<OutlineNode>>& OutlineNode::Children() {
  if (m_Producer) {
    // Taken out first: the producer runs once, even if it asks for children
    // itself.
    const Producer producer = std::move(m_Producer);
    m_Producer = nullptr;
    producer(*this);
  }
  return m_Children;
}

int RootImage(ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Car:
      return kImageCar;
    case ShapeKind::Wheel:
      return kImageWheel;
    case ShapeKind::Helmet:
      return kImageHelmet;
    case ShapeKind::Cockpit:
      return kImageCockpit;
    case ShapeKind::SteeringWheel:
      return kImageSteeringWheel;
  }
  return kImageCar;
}

namespace {

// Argument words and index entries are shown as signed 16-bit numbers.
int signed16(std::int32_t word) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(word & 0xFFFF)); }

template <typename Values, typename Show>
std::string listText(const char* prefix, const Values& values, int count, Show show) {
  std::string text = prefix;
  for (int k = 0; k < count; ++k) text += format(kListEntry, show(values[static_cast<std::size_t>(k)]));
  return text;
}

void attach(Observer& element, OutlineNode& item, int index) {
  element.m_TreeItem = &item;
  element.m_Index = index;
}

std::string pointLabel(const Vertex& point) {
  return format(kPoint, point.m_Index, point.m_X, point.m_Y, point.m_Z, point.m_U1);
}

std::string connectionLabel(const Point3D& c) {
  return format(kConnection, c.m_Index + 1, c.m_From, c.m_To, c.m_U1, c.m_U2);
}

std::string cameraLabel(const Camera& camera) {
  const CameraRecord& r = camera.m_Record;
  return format(kCamera, camera.m_Index + 1, r.X, r.Y, r.Z, camera.m_DirectionDeg, camera.m_PitchDeg, camera.m_RollDeg,
                r.Detail1, r.Detail2, r.RearWheel, r.FrontWheel);
}

// Each element knows its position before its item is labelled.
template <typename Element, typename Label>
void listElement(OutlineNode& group, Element& element, int index, int image, Label label) {
  element.m_Index = index;
  attach(element, group.Add(label(element), image, &element), index);
}

void listPoints(OutlineNode& carItem, Car& car) {
  OutlineNode& group = carItem.Add(format(kPoints, car.m_PointCount), kImagePoints);
  for (int i = 0; i < car.m_PointCount; ++i)
    listElement(group, car.m_Points[static_cast<std::size_t>(i)], i, kImagePoints, pointLabel);
}

void listConnections(OutlineNode& carItem, Car& car) {
  OutlineNode& group = carItem.Add(format(kConnections, car.m_ConnectionCount), kImageConnections);
  for (int i = 0; i < car.m_ConnectionCount; ++i)
    listElement(group, car.m_Connections[static_cast<std::size_t>(i)], i, kImageConnections, connectionLabel);
}

void listCommands(OutlineNode& carItem, Car& car, const CarMappingTable& mapping) {
  OutlineNode& group = carItem.Add(format(kCommands, car.m_CommandCount), kImageCommands);
  for (int i = 0; i < car.m_CommandCount; ++i) {
    TextureCmd& command = car.m_Commands[static_cast<std::size_t>(i)];
    const int argumentCount = std::clamp(command.m_ArgCount, 0, TextureCmd::kMaxArgs);
    const std::string arguments = listText(kArguments, command.m_Args, argumentCount, signed16);
    const int image = mapping.IsMapped(i) ? kImageMappedCommand : kImageCommands;
    OutlineNode& item =
        group.Add(format(kCommand, i, command.m_Sequence, command.m_Opcode, arguments.c_str()), image, &command);
    const int entryCount = std::clamp(command.m_IndexCount, 0, TextureCmd::kMaxArgs);
    item.Add(listText(kIndexList, command.m_Indices, entryCount, signed16), kImageCommands);
    attach(command, item, i);
  }
}

// Eight values to a line. The line carries its first value, so that value's
// editor can be opened from the tree.
void listDataValues(OutlineNode& carItem, Car& car) {
  constexpr int kPerLine = 8;
  OutlineNode& group = carItem.Add(format(kDataValues, car.m_DataValueCount), kImageDataValues);
  for (int i = 0; i < car.m_DataValueCount; i += kPerLine) {
    const int count = std::min(kPerLine, car.m_DataValueCount - i);
    DatVal* first = &car.m_DataValues[static_cast<std::size_t>(i)];
    const std::string label =
        listText(format(kDataValueLine, i).c_str(), first, count, [](const DatVal& value) { return value.m_Value; });
    attach(*first, group.Add(label, kImageDataValues, first), i);
  }
}

void listCameras(OutlineNode& carItem, Car& car) {
  OutlineNode& group = carItem.Add(format(kCameras, Car::kCameraCount), kImageCameras);
  for (int i = 0; i < Car::kCameraCount; ++i)
    listElement(group, car.m_Cameras[static_cast<std::size_t>(i)], i, kImageCameras, cameraLabel);
}

}  // namespace

std::optional<std::string> ItemLabel(const Observer& element) {
  switch (element.m_Kind) {
    case kKindPoint:
      return pointLabel(static_cast<const Vertex&>(element));
    case kKindConnection:
      return connectionLabel(static_cast<const Point3D&>(element));
    case kKindCamera:
      return cameraLabel(static_cast<const Camera&>(element));
    default:
      return std::nullopt;
  }
}

OutlineNode& BuildOutline(OutlineNode& parent, Car& car, int rootImage, const CarMappingTable& mapping) {
  OutlineNode& carItem = parent.Add(format(kCar, car.GetName().c_str()), rootImage);
  car.m_RootItem = &carItem;
  listPoints(carItem, car);
  listConnections(carItem, car);
  listCommands(carItem, car, mapping);
  listDataValues(carItem, car);
  listCameras(carItem, car);
  return carItem;
}

void ListCar(OutlineNode& top, Car& car, const CarMappingTable& mapping, const CarJamSource* jams) {
  OutlineNode& carItem = BuildOutline(top, car, RootImage(ShapeKind::Car), mapping);
  if (jams != nullptr) ListCarJams(carItem, car, *jams);
  const std::pair<Car*, ShapeKind> parts[] = {{car.m_Helmet.get(), ShapeKind::Helmet},
                                              {car.m_Cockpit.get(), ShapeKind::Cockpit},
                                              {car.m_Wheel.get(), ShapeKind::Wheel},
                                              {car.m_SteeringWheel.get(), ShapeKind::SteeringWheel}};
  for (const auto& [part, kind] : parts)
    if (part != nullptr) BuildOutline(top, *part, RootImage(kind), mapping);
}

}  // namespace tavrel
