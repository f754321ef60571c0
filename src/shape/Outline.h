#pragma once
// The outline of a car as the tree panel lists it: a tree of labelled items, each
// with an image index and, for element items, the element. The tree panel's model,
// the command-line tool and the tests all read this one tree.
//
// A node may be given a producer that makes its children the first time they are
// asked for: a texture file's colour tables run to hundreds of thousands of lines
// that nobody looks at until the item is expanded.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shape/ShapeKind.h"

namespace tavrel {

class Car;
class CarMappingTable;
class Observer;
struct CarJamSource;

struct OutlineNode {
  using Producer = std::function<void(OutlineNode&)>;

  OutlineNode(std::string label, int imageIndex, Observer* item = nullptr, OutlineNode* above = nullptr);
  OutlineNode(const OutlineNode&) = delete;
  OutlineNode& operator=(const OutlineNode&) = delete;

  // Adds a child after the existing ones and returns it.
  OutlineNode& Add(std::string label, int imageIndex, Observer* item = nullptr);
  // Removes a child with everything beneath it.
  void Remove(const OutlineNode& child);
  // Moves a child to another position among its siblings.
  void Move(const OutlineNode& child, std::size_t position);

  // Children are made by `producer` when first asked for.
  void SetProducer(Producer producer) { m_Producer = std::move(producer); }
  // Whether the node has children, answered without making them.
  bool HasChildren() const { return !m_Children.empty() || m_Producer != nullptr; }
  std::size_t ChildCount() { return Children().size(); }
  OutlineNode& Child(std::size_t position) { return *Children()[position]; }
  const std::vector<std::unique_ptr<OutlineNode>>& Children();
  // Drops the children with everything beneath them, for a walk that is done
  // with them: a texture file's colour tables need not all be held at once.
  void ReleaseChildren() { m_Children.clear(); }
  // Children made so far, without running a producer.
  const std::vector<std::unique_ptr<OutlineNode>>& MadeChildren() const { return m_Children; }

  std::string text;
  int image;
  Observer* element;  // none for group and line items
  OutlineNode* parent;
  std::size_t row = 0;  // position among the parent's children

 private:
  std::vector<std::unique_ptr<OutlineNode>> m_Children;
  Producer m_Producer;
};

// The label of a point's, a connection's or a camera's item, as listed and after
// every edit; none for other elements, whose items are not relabelled.
std::optional<std::string> ItemLabel(const Observer& element);

// The image of a shape's "Car:" item.
int RootImage(ShapeKind kind);

// Adds the items of one shape under `parent`: its "Car:" item, the points,
// connections, commands, data values and cameras. Stores the item and position in
// every listed element and the "Car:" item in the car's m_RootItem. Returns the
// "Car:" item.
OutlineNode& BuildOutline(OutlineNode& parent, Car& car, int rootImage, const CarMappingTable& mapping);

// Lists a car as the tree panel does: the car with root image 0, followed, when
// `jams` is given, by its texture files; then each part that exists (helmet,
// cockpit, wheel, steering wheel), each one next to the car under `top`.
void ListCar(OutlineNode& top, Car& car, const CarMappingTable& mapping, const CarJamSource* jams);

}  // namespace tavrel
