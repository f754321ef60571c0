#include "document/Document.h"
#include "shape/Outline.h"

#include "base/FileWrites.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "document/EditorHost.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"
#include "scene/CarScene.h"
#include "scene/GltfWriter.h"
#include "shape/Camera.h"
#include "shape/CameraFile.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"
#include "shape/ObjExport.h"
#include "shape/ObjImport.h"
#include "shape/ShapeCheck.h"
#include "shape/ShapeFile.h"
#include "shape/TransferFile.h"
#include "textures/JAM.h"

namespace tavrel {
namespace {

constexpr const char* kNoCar = "No Car Loaded";

std::string levelName(int level) { return level == 0 ? "the original level" : "patch level 1.13"; }

// The buffer and the pictures, then the .gltf that refers to them, staged
// together: a failure leaves none of them new, never a new .gltf beside an old .bin.
WriteResult writeGltfAsset(const GltfAsset& asset, const TextureSlots& slots, const std::filesystem::path& out,
                           const PngEncoder& encodePng) {
  const std::filesystem::path folder = out.parent_path();
  StagedFiles files;
  WriteResult staged;
  if (!asset.bufferFile.empty()) staged = files.Stage(folder / asset.bufferFile, asset.buffer);
  for (auto picture = asset.pictures.begin(); staged && picture != asset.pictures.end(); ++picture) {
    const std::filesystem::path path = folder / picture->file;
    const auto png = encodePng(slots.Slot(picture->slot));
    staged = png ? files.Stage(path, *png)
                 : WriteResult{WriteResult::Failure::Write, path, std::make_error_code(std::errc::invalid_argument)};
  }
  if (staged)
    staged = files.Stage(out, ByteView(reinterpret_cast<const std::uint8_t*>(asset.json.data()), asset.json.size()));
  return staged ? files.Commit() : staged;
}

}  // namespace

Document::Document(ProgramValues& program, Messages& messages, FileChooser& chooser)
    : m_Program(program), m_Messages(messages), m_Chooser(chooser) {
  ResetTextureBitmaps(m_TextureBitmaps);
}

// A document that goes takes its unsaved changes with it: the player was asked.
Document::~Document() {
  Clear();
  std::error_code ignored;
  if (!m_RecoveryFile.empty()) std::filesystem::remove(m_RecoveryFile, ignored);
}

// ---- life ----

bool Document::NewFromExecutable() {
  Clear();
  const std::filesystem::path exe = m_Program.ExecutablePath();
  if (!SettlePatchLevel(exe)) return false;
  m_History = {};  // its steps were of the car that goes
  m_Car = ImportCarAndCameras(exe, m_Program.Positions(), m_Messages).car;
  if (!m_Car) {
    m_Messages.show(format("Bad Exe Path %s", exe.string().c_str()));
    return false;
  }
  if (m_Car->m_Valid == 0) {
    m_Car.reset();
    return true;
  }
  ReadMapping();
  ListCar();
  return true;
}

bool Document::Open(const std::filesystem::path& path) {
  auto car = LoadShapeFile(path, m_Messages);
  if (!car) return false;
  Clear();
  m_History = {};  // its steps were of the car that goes
  m_PathName = path;
  m_Title = path.filename().string();
  m_Car = std::move(car);
  ReadMapping();
  ListCar();
  return true;
}

// An executable at the other patch level than the player's would give an empty
// car (and a message for each shape) or refuse every patch; one look at both
// places tells which level it is.
bool Document::SettlePatchLevel(const std::filesystem::path& exe) {
  const int level = m_Program.PatchLevel();
  const int other = level == 0 ? 1 : 0;
  if (HoldsCarAt(exe, m_Program.Positions()) || !HoldsCarAt(exe, PositionsForPatchLevel(other))) return true;
  const std::string question =
      format("%s does not hold a car at %s, but it does at %s. Use %s?", exe.filename().string().c_str(),
             levelName(level).c_str(), levelName(other).c_str(), levelName(other).c_str());
  if (!m_Messages.ask(question)) return false;
  m_Program.TakePatchLevel(other);
  return true;
}

void Document::Clear() {
  if (!m_Outline) return;
  m_CarUnlisted.Emit();
  m_Outline.reset();
}

void Document::Recover(RecoveredCar recovered) {
  Clear();
  m_History = {};
  m_History.ForgetSavePoint();
  m_PathName = recovered.file;
  m_Title = recovered.file.empty() ? "" : recovered.file.filename().string();
  m_Car = std::move(recovered.car);
  ReadMapping();
  ListCar();
  KeepRecovery();
}

void Document::KeepRecovery() {
  if (m_Program.m_RecoveryFolder.empty() || !m_Car) return;
  std::error_code error;
  if (!IsModified()) {
    if (!m_RecoveryFile.empty()) std::filesystem::remove(m_RecoveryFile, error);
    return;
  }
  if (m_RecoveryFile.empty()) m_RecoveryFile = NewRecoveryPath(m_Program.m_RecoveryFolder);
  std::filesystem::create_directories(m_Program.m_RecoveryFolder, error);
  // Best effort: a recovery file that cannot be written must not stop the edit.
  writeFileAtomically(m_RecoveryFile, RecoveryBytes(*m_Car, m_PathName, Name()));
}

void Document::ReadMapping() { m_Mapping.ReadTextureCfg(m_Program.m_TextureCfgFolder); }

void Document::ListCar() {
  if (!m_Listed) return;
  m_Outline = std::make_unique<OutlineNode>("", 0);
  const CarJamSource jams{this, m_Program.GameLocation(), m_Program.m_JamSeed, m_Messages};
  tavrel::ListCar(*m_Outline, *m_Car, m_Mapping, &jams);
  m_CarListed.Emit();
}

void Document::RelistShape(Car& shape, ShapeKind kind) {
  if (!m_Outline || shape.m_RootItem == nullptr || shape.m_RootItem->parent != m_Outline.get()) return;
  const std::size_t row = shape.m_RootItem->row;
  m_ShapeUnlisting.Emit(row);
  m_Outline->Remove(*shape.m_RootItem);
  shape.m_RootItem = nullptr;
  m_ShapeUnlisted.Emit(row);
  m_ShapeListing.Emit(row);
  m_Outline->Move(BuildOutline(*m_Outline, shape, RootImage(kind), m_Mapping), row);
  m_ShapeListed.Emit(row);
}

// ---- commands ----

std::optional<std::filesystem::path> Document::Save() {
  if (!m_Car) {
    m_Messages.show(kNoCar);
    return std::nullopt;
  }
  return m_PathName.empty() ? SaveAs() : WriteTo(m_PathName);
}

std::optional<std::filesystem::path> Document::SaveAs() {
  if (!m_Car) {
    m_Messages.show(kNoCar);
    return std::nullopt;
  }
  const auto path = m_Chooser.Choose(FileAction::Save, kCarFileKind);
  return path ? WriteTo(*path) : std::nullopt;
}

// The document is the file it was last saved to from then on.
std::optional<std::filesystem::path> Document::WriteTo(const std::filesystem::path& path) {
  m_Car->WriteBack(tableOffset(ShapeKind::Car));
  if (!m_Car->SaveShapeFile(path, m_Messages)) return std::nullopt;
  m_PathName = path;
  m_Title = path.filename().string();
  // Changed parts are not in the car file: the document stays modified (and
  // its recovery file kept) until they are exported or let go.
  if (m_History.PartsChangedSinceSave())
    m_Messages.show(
        format("The car is saved in %s, but the changes to its parts are not: a car file does not hold "
               "them. Export the changed parts with File > Export.",
               path.filename().string().c_str()));
  else
    m_History.MarkSaved();
  KeepRecovery();
  m_StateChanged.Emit();
  return path;
}

// Elements that name missing ones are drawn safely by the view, so the player
// may insist: they are listed (the first ten and a count) and No is offered first.
IndexErrors Document::AskAboutIndexErrors(const Car& shape, ShapeKind kind) {
  constexpr std::size_t kListed = 10;
  const std::vector<ShapeProblem> problems = CheckShape(shape, kind);
  // A shape that is not whole is refused with its first error; one without index errors is patched.
  if (HasProblem(problems, Severity::Error) || !HasProblem(problems, Severity::IndexError)) return IndexErrors::Refuse;
  std::string list;
  std::size_t count = 0;
  for (const ShapeProblem& problem : problems)
    if (problem.severity == Severity::IndexError && ++count <= kListed) list += problem.text + "\n";
  if (count > kListed) list += format("and %zu more\n", count - kListed);
  const std::string question = format(
      "\"%s\" names elements its tables do not hold:\n%sThe game may not cope with it. Patch it into ZAV.EXE anyway?",
      shape.GetName().c_str(), list.c_str());
  return m_Messages.ask(question, Answer::No) ? IndexErrors::Patch : IndexErrors::Declined;
}

// Every question is asked and every shape checked before anything is written,
// so that the car and its cameras are not patched when a part then turns out
// to be unusable.
std::vector<ExportStep> Document::ExportToExe() {
  if (!m_Car) {
    m_Messages.show(kNoCar);
    return {};
  }
  const std::filesystem::path exe = m_Program.ExecutablePath();
  if (!SettlePatchLevel(exe)) return {{"car", PatchResult::Failed(PatchFailure::WrongPlace)}};
  if (!ExecutableFile::CanPatch(exe, m_Messages)) return {{"car", PatchResult::Failed(PatchFailure::CannotOpen)}};
  const ExePositions& at = m_Program.Positions();
  auto carRegion = CheckedRegion(*m_Car, ShapeKind::Car, at, AskAboutIndexErrors(*m_Car, ShapeKind::Car), m_Messages);
  if (!carRegion) return {{"car", PatchResult::Failed(PatchFailure::InvalidSource)}};
  std::vector<PlannedItem> items = {{"car", std::move(carRegion)}, {"cameras", CamerasRegion(*m_Car, at)}};
  if (m_Messages.ask("Do you want advanced exporting!...")) {
    for (const PartFileKind& kind : kPartFileKinds) {
      Car* part = kind.PartOf(*m_Car);
      if (part == nullptr || !m_Messages.ask(std::string(kind.exportQuestion))) continue;
      items.push_back({kindName(kind.shape),
                       CheckedRegion(*part, kind.shape, at, AskAboutIndexErrors(*part, kind.shape), m_Messages)});
      if (!items.back().region) break;
    }
  }
  std::vector<ExportStep> steps = PatchItems(exe, std::move(items), m_Messages);
  if (AllPatched(steps)) m_Messages.show("Finished Patching ZAV.EXE");
  return steps;
}

void Document::ExportCameras() {
  const auto path = m_Chooser.Choose(FileAction::Save, kCameraFileKind);
  if (!path) return;
  if (!m_Car) return m_Messages.show(kNoCar);
  SaveCameras(*path, *m_Car, m_Messages);
}

void Document::ImportCameras() {
  const auto path = m_Chooser.Choose(FileAction::Open, kCameraFileKind);
  if (!path) return;
  if (!m_Car) return m_Messages.show(kNoCar);
  const ElementSnapshot before = TakeSnapshot(*m_Car);
  LoadCameras(*path, *m_Car, m_Messages);
  RecordChangesSince(before, "Camera Import");
}

void Document::ExportCtf() {
  const auto path = m_Chooser.Choose(FileAction::Save, kTransferFileKind);
  if (!path) return;
  if (!m_Car) return m_Messages.show(kNoCar);
  tavrel::ExportCtf(*path, *m_Car, m_Messages);
}

void Document::ImportCtf() {
  const auto path = m_Chooser.Choose(FileAction::Open, kTransferFileKind);
  if (!path) return;
  if (!m_Car) return m_Messages.show(kNoCar);
  const ElementSnapshot before = TakeSnapshot(*m_Car);
  tavrel::ImportCtf(*path, *m_Car, m_Messages);
  RecordChangesSince(before, "CTF Import");
}

void Document::ImportObjPoints() {
  const auto path = m_Chooser.Choose(FileAction::Open, kObjFileKind);
  if (!path) return;
  if (!m_Car) return m_Messages.show(kNoCar);
  const ElementSnapshot before = TakeSnapshot(*m_Car);
  if (tavrel::ImportObjPoints(*path, *m_Car, m_Messages)) RecordChangesSince(before, "WaveFront Points Import");
}

// An import changed the elements in place; the step keeps what it changed and
// puts the old values back so that recording it applies the new ones.
void Document::RecordChangesSince(const ElementSnapshot& before, const char* name) {
  std::vector<ElementChange> changes = ChangesSince(before, *m_Car);
  for (const ElementChange& change : changes)
    if (Observer* element = Resolve(*m_Car, change.element)) SetValues(*element, change.before);
  Record({name, std::move(changes), nullptr});
}

void Document::ExportPart(const PartFileKind& kind) {
  Car* part = m_Car ? kind.PartOf(*m_Car) : nullptr;
  if (part == nullptr) return;
  const auto path = m_Chooser.Choose(FileAction::Save, kind.dialog);
  if (path) WritePartFile(*path, *part, kind, m_Messages);
}

void Document::ImportPart(const PartFileKind& kind) {
  Car* part = m_Car ? kind.PartOf(*m_Car) : nullptr;
  if (part == nullptr) return;
  const auto path = m_Chooser.Choose(FileAction::Open, kind.dialog);
  if (!path) return;
  auto bytes = ReadFileOfLength(*path, kind.length, ShapeFileDescription(kind.shape), m_Messages);
  if (!bytes) return;
  if (const ShapeHeader header = ShapeHeader::Read(*bytes); !header.HasValidMagic())
    return m_Messages.show(Car::BadMagicMessage(header.magic));
  // The part's edits go into its image first, so undoing the import brings
  // them back. Only the part's items are listed anew, the rest of the car's
  // (and its texture files) stay as they are.
  Record({"Part Import",
          {},
          std::make_unique<ImageChange>(ImageChange{kind.shape, PartFileBytes(*part, kind), std::move(*bytes)})});
}

void Document::ExportObj() {
  const auto path = m_Chooser.Choose(FileAction::Save, kObjFileKind);
  // Without a car the file is written empty: a file the player asked for is never left unwritten.
  static const Car noCar;
  if (path) tavrel::ExportObj(*path, m_Car ? *m_Car : noCar, m_Messages);
}

bool Document::ExportGltf(const std::string& liveryName, const PngEncoder& encodePng) {
  if (!m_Car) return false;
  const auto path = m_Chooser.Choose(FileAction::Save, kGltfFileKind);
  if (!path) return false;
  LoadTextures(liveryName);
  const GltfAsset asset = MakeGltfAsset(BuildCarScene(*m_Car, m_Mapping), path->stem().string());
  const WriteResult written = writeGltfAsset(asset, m_TextureBitmaps, *path, encodePng);
  if (!written) m_Messages.show(WriteFailureMessage(written));
  return static_cast<bool>(written);
}

void Document::ReloadTextureCfg() {
  ReadMapping();
  UpdateAllViews();
}

void Document::LoadTextures(const std::string& liveryName) {
  TextureSources sources;
  sources.m_GameLocation = m_Program.GameLocation();
  sources.m_CarJamName = liveryName;
  sources.m_UseInternalJams = m_Program.m_UseInternalJams;
  sources.m_DrawRcrJam = m_Program.m_DrawRcrJam;
  sources.m_JamSeed = m_Program.m_JamSeed;
  LoadCarTextures(m_TextureBitmaps, sources, m_Messages);
}

void Document::ResetTextures(const std::string& liveryName) {
  ResetTextureBitmaps(m_TextureBitmaps);
  LoadTextures(liveryName);
}

void Document::SelectJam(std::shared_ptr<JAM> jam) {
  m_SelectedJam = std::move(jam);
  m_SelectionChanged.Emit();
}

// ---- changes ----

namespace {

// The element's values after its editor, or none when the player cancelled.
std::optional<ElementValues> askNewValues(const Observer& element, EditorHost& editors, const ViewCenter& viewCenter) {
  ElementValues values = ValuesOf(element);
  switch (element.m_Kind) {
    case kKindPoint:
    case kKindConnection: {
      PointValues shown{values[0], values[1], values[2]};
      if (!editors.EditPoint(shown, viewCenter)) return std::nullopt;
      values[0] = shown.x, values[1] = shown.y, values[2] = shown.z;
      return values;
    }
    case kKindCamera: {
      CameraFields fields = static_cast<const Camera&>(element).Fields();
      if (!editors.EditCamera(fields)) return std::nullopt;
      Camera edited = static_cast<const Camera&>(element);
      edited.SetFields(fields);
      return ValuesOf(edited);
    }
    case kKindDataValue: {
      int value = values[0];
      if (!editors.EditDataValue(value)) return std::nullopt;
      values[0] = value;
      return values;
    }
    default:
      return std::nullopt;
  }
}

const char* editName(const Observer& element) {
  switch (element.m_Kind) {
    case kKindPoint:
      return "Point Edit";
    case kKindConnection:
      return "Connection Edit";
    case kKindCamera:
      return "Camera Edit";
    default:
      return "Data Value Edit";
  }
}

}  // namespace

void Document::EditElement(Observer& element, EditorHost& editors) {
  if (!m_Car) return;
  const std::optional<ElementRef> ref = RefOf(*m_Car, element);
  if (!ref) return;
  Object3D* shape = element.GetOwner();
  const ViewCenter viewCenter = [this, shape](const PointValues& values) {
    if (shape != nullptr) SetViewCenter(*shape, values);
  };
  const auto values = askNewValues(element, editors, viewCenter);
  if (!values || *values == ValuesOf(element)) return;
  Record({editName(element), {{*ref, ValuesOf(element), *values}}, nullptr});
}

void Document::SelectElement(Observer& element) {
  if (element.m_Kind == kKindJamFile) return static_cast<JamFile&>(element).SelectForDocument();
  Car* owner = element.GetOwner();
  if (owner == nullptr) return;
  owner->ClearSelection();
  element.Select();
  m_SelectionChanged.Emit();
  UpdateAllViews();
}

void Document::ShowPointAt(Vertex& point, const PointValues& to) {
  point.m_X = to.x, point.m_Y = to.y, point.m_Z = to.z;
  UpdateAllViews();
}

void Document::MovePoint(Vertex& point, const PointValues& from) {
  const std::optional<ElementRef> ref = m_Car ? RefOf(*m_Car, point) : std::nullopt;
  if (!ref) return;
  const ElementValues after = ValuesOf(point);
  ElementValues before = after;
  before[0] = from.x, before[1] = from.y, before[2] = from.z;
  if (before == after) return;
  SetValues(point, before);
  Record({"Move Point", {{*ref, before, after}}, nullptr});
}

void Document::SetViewCenter(Object3D& shape, const PointValues& values) {
  shape.m_ViewCenter.m_From = values.x;
  shape.m_ViewCenter.m_To = values.y;
  shape.m_ViewCenter.m_U1 = values.z;
  UpdateAllViews();
}

std::string Document::UndoName() const { return CanUndo() ? m_History.NextUndo()->name : ""; }
std::string Document::RedoName() const { return CanRedo() ? m_History.NextRedo()->name : ""; }

void Document::Undo() {
  const Step* step = m_History.NextUndo();
  if (step == nullptr || !m_Car) return;
  m_History.Undone();
  Apply(*step, false);
}

void Document::Redo() {
  const Step* step = m_History.NextRedo();
  if (step == nullptr || !m_Car) return;
  m_History.Redone();
  Apply(*step, true);
}

void Document::Record(Step step) {
  if (step.elements.empty() && !step.image) return;
  m_History.Push(std::move(step));
  Apply(*m_History.NextUndo(), true);
}

// Element values are set after a part's image is taken: the elements they name
// are those of the image the step leaves. Then what follows every change: the
// views redraw, the recovery file follows, the titles and menus are told.
void Document::Apply(const Step& step, bool forward) {
  if (step.image) TakeImage(*step.image, forward);
  Observer* touched = nullptr;
  for (const ElementChange& change : step.elements) {
    Observer* element = Resolve(*m_Car, change.element);
    if (element == nullptr) continue;
    SetValues(*element, forward ? change.after : change.before);
    Relabel(*element);
    if (touched == nullptr) touched = element;
  }
  if (touched != nullptr && touched->GetOwner() != nullptr) {
    touched->GetOwner()->ClearSelection();
    touched->Select();
    m_SelectionChanged.Emit();
  }
  UpdateAllViews();
  KeepRecovery();
  m_StateChanged.Emit();
}

void Document::TakeImage(const ImageChange& change, bool forward) {
  Car* shape = ShapeOf(*m_Car, change.shape);
  if (shape == nullptr) return;
  // A point picked on the part is the car's selection too; the part's points are replaced.
  if (m_Car->m_SelectedPoint != nullptr && m_Car->m_SelectedPoint->m_Owner == shape) m_Car->m_SelectedPoint = nullptr;
  const std::vector<std::uint8_t>& bytes = forward ? change.after : change.before;
  std::ranges::copy(bytes, shape->m_Image.begin());
  shape->Decode(tableOffset(change.shape), m_Messages);
  RelistShape(*shape, change.shape);
}

void Document::Relabel(Observer& element) {
  if (const auto label = ItemLabel(element); label && element.m_TreeItem != nullptr) element.m_TreeItem->text = *label;
  m_ElementEdited.Emit(element);
}

}  // namespace tavrel
