#pragma once
// A texture file listed with the main car: its path in the game's folder, the
// loaded JAM, and the document that shows it once it is selected in the tree.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shape/Observer.h"

namespace tavrel {

class Car;
class JAM;
class Messages;
struct OutlineNode;

// What a texture file's selection needs from the document: the JAM views show
// the JAM last selected.
class JamSelection {
 public:
  virtual ~JamSelection() = default;
  virtual void SelectJam(std::shared_ptr<JAM> jam) = 0;
};

// Edit and Select do nothing: the tree panel hands a selected texture file to
// SelectForDocument instead.
class JamFile : public Observer {
 public:
  JamFile() : Observer(kKindJamFile) {}

  // Makes this file's JAM the document's selected JAM; the car's selections stay.
  void SelectForDocument() const;

  JamSelection* m_Document = nullptr;
  std::string m_Path;  // relative to the game's folder
  // Shared: a JAM view may still show it after the slot was filled anew.
  std::shared_ptr<JAM> m_Jam;
};

// Twenty slots per car; the "Car Jams" list fills the first twelve with these.
inline constexpr int kCarJamSlots = 20;
inline constexpr std::array<std::string_view, 12> kCarJamPaths = {
    "zavjams/Liveries/Arrows98.jam", "zavjams/Liveries/Ferrar98.jam", "zavjams/Liveries/Prost98.jam",
    "zavjams/Liveries/Stewar98.jam", "zavjams/Liveries/Tyrrel98.jam", "zavjams/Liveries/Benett98.jam",
    "zavjams/Liveries/Willia98.jam", "zavjams/Liveries/Jordan98.jam", "zavjams/Liveries/Mclare98.jam",
    "zavjams/Liveries/Sauber98.jam", "zavjams/Liveries/Minard98.jam", "zavjams/Main/Chassis3.jam"};
// The liveries' file names in that order, "Arrows98.jam" first: every car JAM but the chassis.
std::vector<std::string> LiveryNames();

// Where the texture files come from and where their selection goes.
struct CarJamSource {
  JamSelection* document;
  std::string gameLocation;
  std::uint32_t seed;  // of the JAM files' scrambling key
  Messages& messages;  // told about each file that cannot be loaded
};

// Fills slot j (0 to 11) with its path, the document and a newly loaded JAM,
// releasing the slot's earlier JAM first. A file that cannot be loaded is
// reported and leaves a JAM that lists itself as not loaded. Other slots are
// left alone.
void FillCarJam(Car& car, int j, const CarJamSource& source);

// Adds "Car Jams" under the car's item and, for each of the twelve files in slot
// order, fills its slot and adds its item with the JAM's outline beneath.
void ListCarJams(OutlineNode& carItem, Car& car, const CarJamSource& source);

}  // namespace tavrel
