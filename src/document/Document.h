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
#include "document/History.h"
#include "document/RecoveryFile.h"
#include "shape/Car.h"
#include "shape/ElementFields.h"
#include "shape/ExeExport.h"
#include "shape/JamFile.h"
#include "shape/Outline.h"
#include "shape/PartFile.h"
#include "textures/CarMappingTable.h"
#include "textures/TextureSlots.h"

namespace tavrel {

class EditorHost;
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
  // A car a program that died left in a recovery file: opened with its changes
  // unsaved, saving to the file it came from.
  void Recover(RecoveredCar recovered);

  // ---- commands ----
  // Save writes to the document's own file, asking for a name only when it has
  // none; "Save As..." always asks. The path written, or none ("No Car
  // Loaded" for an empty document, as for every command that needs a car).
  std::optional<std::filesystem::path> Save();
  std::optional<std::filesystem::path> SaveAs();
  // Makes sure the executable is at the player's patch level and can be
  // patched now, before asking anything. Then checks the car, asks "Do you
  // want advanced exporting!..." and, on yes, asks for each part the car has,
  // checking each one answered yes. Then patches the car, its cameras and those
  // parts, all or none, and says "Finished Patching ZAV.EXE". The items
  // patched, or the first refused; none without a car ("No Car Loaded").
  std::vector<ExportStep> ExportToExe();
  void ExportCameras();
  void ImportCameras();
  void ExportCtf();
  void ImportCtf();
  void ExportPart(const PartFileKind& kind);
  void ImportPart(const PartFileKind& kind);
  void ExportObj();
  // "Import WaveFront Points...": the car's points from a modeller's file, one step.
  void ImportObjPoints();
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
  // A document nobody sees in a tree (a screenshot's) makes no outline: a car's
  // texture files can hold many thousands of items.
  void ListNothing() { m_Listed = false; }

  // The path it was opened from (empty after an import) and the title its
  // windows show: the file name, or nothing after an import.
  const std::filesystem::path& PathName() const { return m_PathName; }
  const std::string& Title() const { return m_Title; }
  // What the windows and questions call it: its title, or the name it was
  // given while it has none ("car1").
  const std::string& Name() const { return m_Title.empty() ? m_UntitledName : m_Title; }
  void SetUntitledName(std::string name) { m_UntitledName = std::move(name); }

  // Every view of the document redraws.
  void UpdateAllViews() { m_RedrawWanted.Emit(); }

  // ---- changes to the car: each one a step of the history ----
  // Opens the element's editor; OK makes one step that sets its values,
  // relabels its item and redraws the views.
  void EditElement(Observer& element, EditorHost& editors);
  // Makes the element the selection of its shape and redraws the views; a
  // texture file's becomes the selected JAM.
  void SelectElement(Observer& element);
  // A point a view is dragging: shown at `to` in every view, but not a step
  // yet; putting it back at its first values leaves the car as it was.
  void ShowPointAt(Vertex& point, const PointValues& to);
  // The drag ended where the point is now: one step "Move Point" from `from`,
  // relabelling its item; nothing when it ended where it began.
  void MovePoint(Vertex& point, const PointValues& from);
  // The point editor's "View Center": centres the shape's views on the values.
  void SetViewCenter(Object3D& shape, const PointValues& values);

  bool CanUndo() const { return m_History.NextUndo() != nullptr; }
  bool CanRedo() const { return m_History.NextRedo() != nullptr; }
  // What the next undo or redo changes back: "Point Edit"; empty when nothing.
  std::string UndoName() const;
  std::string RedoName() const;
  // Puts the car back as it was before (after) the step, relabels what the
  // step touched, selects it and redraws the views.
  void Undo();
  void Redo();
  // Whether the car differs from what was last opened or saved.
  bool IsModified() const { return !m_History.AtSavePoint(); }

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
  // The title, the modified mark or what can be undone changed.
  Signal<>& StateChanged() { return m_StateChanged; }

 private:
  bool SettlePatchLevel(const std::filesystem::path& exe);
  IndexErrors AskAboutIndexErrors(const Car& shape, ShapeKind kind);
  void ListCar();
  void RelistShape(Car& shape, ShapeKind kind);
  void ReadMapping();
  std::optional<std::filesystem::path> WriteTo(const std::filesystem::path& path);
  // Records a new step and applies it.
  void Record(Step step);
  void RecordChangesSince(const ElementSnapshot& before, const char* name);
  // Applies a step one way (forward: its new values).
  void Apply(const Step& step, bool forward);
  void TakeImage(const ImageChange& change, bool forward);
  void Relabel(Observer& element);
  // Writes the unsaved changes to the recovery file, or removes it when there are none.
  void KeepRecovery();

  ProgramValues& m_Program;
  Messages& m_Messages;
  FileChooser& m_Chooser;

  std::unique_ptr<Car> m_Car;
  CarMappingTable m_Mapping;
  TextureSlots m_TextureBitmaps;
  std::shared_ptr<JAM> m_SelectedJam;
  std::unique_ptr<OutlineNode> m_Outline;
  bool m_Listed = true;
  std::filesystem::path m_PathName;
  std::string m_Title;
  std::string m_UntitledName;

  Signal<> m_CarListed;
  Signal<> m_CarUnlisted;
  Signal<std::size_t> m_ShapeUnlisting;
  Signal<std::size_t> m_ShapeUnlisted;
  Signal<std::size_t> m_ShapeListing;
  Signal<std::size_t> m_ShapeListed;
  Signal<Observer&> m_ElementEdited;
  Signal<> m_SelectionChanged;
  Signal<> m_RedrawWanted;
  Signal<> m_StateChanged;
  History m_History;
  std::filesystem::path m_RecoveryFile;  // empty until the first change is kept
};

}  // namespace tavrel
