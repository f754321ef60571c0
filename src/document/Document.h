#pragma once
// A car document: one car with its parts and cameras, the mapping table its
// polygons are textured through, the car view's four texture slots and the JAM
// last selected in the tree. Its commands work against the injected messages,
// file chooser and program values, and it announces every change, so the tree
// and the views only reflect it.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Signal.h"
#include "shape/Car.h"
#include "shape/JamFile.h"
#include "shape/Outline.h"
#include "shape/PartFile.h"
#include "textures/CarMappingTable.h"
#include "textures/TextureSlots.h"

namespace tavrel {

class FileChooser;
class Messages;
class ProgramValues;
class JAM;
class Observer;
struct Picture;

// Encodes a picture as the bytes of a PNG file; nothing when it cannot.
using PngEncoder = std::function<std::optional<std::vector<std::uint8_t>>(const Picture&)>;

inline constexpr FileDialogKind kGltfFileKind{"unnamed.gltf", "gltf",
                                              "glTF Files (*.gltf)|*.gltf|All Files (*.*)|*.*|"};

class Document : public JamSelection {
 public:
  Document(ProgramValues& program, Messages& messages, FileChooser& chooser);
  ~Document() override;
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // ---- life ----
  // "Import From Exe...": the car, its parts and cameras from the game's
  // executable. False ("Bad Exe Path %s") when the executable gave no car; an
  // image without a valid magic number leaves the document empty. Like
  // "Export To Exe...", it first makes sure the executable is at the player's
  // patch level, or offers the other level where that holds the car; false
  // when the player declined.
  bool NewFromExecutable();
  // A shape file. False, leaving the document as it was, when the file gives
  // no car (a message has said why): no document is to be made for it.
  bool Open(const std::filesystem::path& path);
  // Unlists the car (the car itself stays until the document goes).
  void Clear();

  // ---- commands ----
  void Save();  // Save and "Save As...": always asks for a name
  void ExportToExe();
  void ExportCameras();
  void ImportCameras();
  void ExportCtf();
  void ImportCtf();
  void ExportPart(const PartFileKind& kind);
  void ImportPart(const PartFileKind& kind);
  void ExportObj();
  // "Export glTF...": the car and its parts as the textured view draws them, in
  // the livery given, as glTF 2.0 with its buffer and pictures beside it, all
  // written or none. False when nothing was written.
  bool ExportGltf(const std::string& liveryName, const PngEncoder& encodePng);
  // Reads texture.cfg again and asks the views to redraw.
  void ReloadTextureCfg();
  // Fills the four texture slots from the game's JAM files for a livery.
  void LoadTextures(const std::string& liveryName);
  // What a new car view does: the built-in picture in every slot, then the
  // livery's and the chassis's pictures.
  void ResetTextures(const std::string& liveryName);

  // ---- what the document holds ----
  Car* GetCar() const { return m_Car.get(); }
  bool HasCar() const { return m_Car != nullptr; }
  const CarMappingTable& Mapping() const { return m_Mapping; }
  TextureSlots& TextureBitmaps() { return m_TextureBitmaps; }
  const std::shared_ptr<JAM>& SelectedJam() const { return m_SelectedJam; }
  void SelectJam(std::shared_ptr<JAM> jam) override;
  // The items the car and its parts are listed with (children of this node);
  // none while the car is not listed.
  OutlineNode* Outline() const { return m_Outline.get(); }

  // The path it was opened from (empty after an import) and the title its
  // windows show: the file name, or nothing after an import.
  const std::filesystem::path& PathName() const { return m_PathName; }
  const std::string& Title() const { return m_Title; }

  // Every view of the document redraws.
  void UpdateAllViews() { m_RedrawWanted.Emit(); }
  // An element was edited: its item is relabelled and the views redraw.
  void ElementChanged(Observer& element);

  // ---- notifications ----
  Signal<>& CarListed() { return m_CarListed; }      // the car was listed anew
  Signal<>& CarUnlisted() { return m_CarUnlisted; }  // about to drop the car's items
  // One shape listed anew in place (after a part import): its "Car:" item at
  // this row among the outline's children goes, then the new one comes at the
  // same row. Each step is announced before and after it.
  Signal<std::size_t>& ShapeUnlisting() { return m_ShapeUnlisting; }
  Signal<std::size_t>& ShapeUnlisted() { return m_ShapeUnlisted; }
  Signal<std::size_t>& ShapeListing() { return m_ShapeListing; }
  Signal<std::size_t>& ShapeListed() { return m_ShapeListed; }
  Signal<Observer&>& ElementEdited() { return m_ElementEdited; }
  Signal<>& SelectionChanged() { return m_SelectionChanged; }
  Signal<>& RedrawWanted() { return m_RedrawWanted; }

 private:
  bool SettlePatchLevel(const std::filesystem::path& exe);
  void ListCar();
  void RelistShape(Car& shape, ShapeKind kind);
  void ReadMapping();

  ProgramValues& m_Program;
  Messages& m_Messages;
  FileChooser& m_Chooser;

  std::unique_ptr<Car> m_Car;
  CarMappingTable m_Mapping;
  TextureSlots m_TextureBitmaps;
  std::shared_ptr<JAM> m_SelectedJam;
  std::unique_ptr<OutlineNode> m_Outline;
  std::filesystem::path m_PathName;
  std::string m_Title;

  Signal<> m_CarListed;
  Signal<> m_CarUnlisted;
  Signal<std::size_t> m_ShapeUnlisting;
  Signal<std::size_t> m_ShapeUnlisted;
  Signal<std::size_t> m_ShapeListing;
  Signal<std::size_t> m_ShapeListed;
  Signal<Observer&> m_ElementEdited;
  Signal<> m_SelectionChanged;
  Signal<> m_RedrawWanted;
};

}  // namespace tavrel
