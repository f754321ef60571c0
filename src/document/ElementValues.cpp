#include "document/ElementValues.h"

#include "shape/Camera.h"
#include "shape/Car.h"

namespace tavrel {
namespace {

constexpr std::array<ShapeKind, 5> kShapes = {ShapeKind::Car, ShapeKind::Wheel, ShapeKind::Helmet, ShapeKind::Cockpit,
                                              ShapeKind::SteeringWheel};
constexpr std::array<ElementKind, 4> kEditable = {kKindPoint, kKindConnection, kKindDataValue, kKindCamera};

// The table of one kind in a shape, as a span of its elements.
template <typename Visit>
void withTable(Car& shape, ElementKind kind, Visit visit) {
  switch (kind) {
    case kKindPoint:
      return visit(shape.m_Points, shape.m_PointCount);
    case kKindConnection:
      return visit(shape.m_Connections, shape.m_ConnectionCount);
    case kKindDataValue:
      return visit(shape.m_DataValues, shape.m_DataValueCount);
    case kKindCamera:
      return visit(shape.m_Cameras, static_cast<int>(shape.m_Cameras.size()));
    default:
      return;
  }
}

}  // namespace

ElementValues ValuesOf(const Observer& element) {
  switch (element.m_Kind) {
    case kKindPoint: {
      const auto& p = static_cast<const Vertex&>(element);
      return {p.m_X, p.m_Y, p.m_Z, p.m_U1};
    }
    case kKindConnection: {
      const auto& c = static_cast<const Point3D&>(element);
      return {c.m_From, c.m_To, c.m_U1, c.m_U2};
    }
    case kKindDataValue:
      return {static_cast<const DatVal&>(element).m_Value};
    case kKindCamera: {
      const auto& camera = static_cast<const Camera&>(element);
      const CameraRecord& r = camera.m_Record;
      return {r.X,       r.Z,       r.Y,         r.Direction,  r.Pitch,        r.Roll,
              r.Detail1, r.Detail2, r.RearWheel, r.FrontWheel, camera.m_Loaded};
    }
    default:
      return {};
  }
}

void SetValues(Observer& element, const ElementValues& v) {
  switch (element.m_Kind) {
    case kKindPoint: {
      auto& p = static_cast<Vertex&>(element);
      p.m_X = v[0], p.m_Y = v[1], p.m_Z = v[2], p.m_U1 = v[3];
      return;
    }
    case kKindConnection: {
      auto& c = static_cast<Point3D&>(element);
      c.m_From = v[0], c.m_To = v[1], c.m_U1 = v[2], c.m_U2 = v[3];
      return;
    }
    case kKindDataValue:
      static_cast<DatVal&>(element).m_Value = v[0];
      return;
    case kKindCamera: {
      auto& camera = static_cast<Camera&>(element);
      const auto word = [&](std::size_t i) { return static_cast<std::int16_t>(v[i]); };
      camera.SetRecord({word(0), word(1), word(2), word(3), word(4), word(5), word(6), word(7), word(8), word(9)});
      camera.m_Loaded = v[10];
      return;
    }
    default:
      return;
  }
}

Car* ShapeOf(Car& car, ShapeKind kind) {
  switch (kind) {
    case ShapeKind::Car:
      return &car;
    case ShapeKind::Wheel:
      return car.m_Wheel.get();
    case ShapeKind::Helmet:
      return car.m_Helmet.get();
    case ShapeKind::Cockpit:
      return car.m_Cockpit.get();
    case ShapeKind::SteeringWheel:
      return car.m_SteeringWheel.get();
  }
  return nullptr;
}

std::optional<ElementRef> RefOf(Car& car, const Observer& element) {
  for (ShapeKind kind : kShapes) {
    Car* shape = ShapeOf(car, kind);
    if (shape == nullptr) continue;
    std::optional<ElementRef> found;
    withTable(*shape, static_cast<ElementKind>(element.m_Kind), [&](auto& table, int count) {
      const auto* first = table.data();
      const auto* at = static_cast<const std::remove_reference_t<decltype(table[0])>*>(&element);
      if (at >= first && at < first + count)
        found = ElementRef{kind, static_cast<ElementKind>(element.m_Kind), static_cast<int>(at - first)};
    });
    if (found) return found;
  }
  return std::nullopt;
}

Observer* Resolve(Car& car, const ElementRef& ref) {
  Car* shape = ShapeOf(car, ref.shape);
  Observer* element = nullptr;
  if (shape != nullptr)
    withTable(*shape, ref.kind, [&](auto& table, int count) {
      if (ref.index >= 0 && ref.index < count) element = &table[static_cast<std::size_t>(ref.index)];
    });
  return element;
}

ElementSnapshot TakeSnapshot(Car& car) {
  ElementSnapshot snapshot;
  for (ShapeKind shapeKind : kShapes) {
    Car* shape = ShapeOf(car, shapeKind);
    if (shape == nullptr) continue;
    for (ElementKind kind : kEditable) {
      if (kind == kKindCamera && shapeKind != ShapeKind::Car) continue;  // only the car has cameras
      withTable(*shape, kind, [&](auto& table, int count) {
        for (int i = 0; i < count; ++i)
          snapshot.elements.push_back({{shapeKind, kind, i}, ValuesOf(table[static_cast<std::size_t>(i)])});
      });
    }
  }
  return snapshot;
}

}  // namespace tavrel
