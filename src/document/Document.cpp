#include "document/Document.h"

#include "base/FileWrites.h"
#include "base/Format.h"
#include "base/Messages.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"
#include "scene/CarScene.h"
#include "scene/GltfWriter.h"
#include "shape/CameraFile.h"
#include "shape/ExeExport.h"
#include "shape/GameExecutable.h"
#include "shape/ObjExport.h"
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

Document::~Document() { Clear(); }

// ---- life ----

bool Document::NewFromExecutable() {
  Clear();
  const std::filesystem::path exe = m_Program.ExecutablePath();
  if (!SettlePatchLevel(exe)) return false;
  m_Car = ImportFromExe(exe, m_Program.Positions(), m_Messages);
  if (!m_Car) {
    m_Messages.show(format("Bad Exe Path %s", exe.string().c_str()));
    return false;
  }
  ReadCamerasFromExe(*m_Car, exe, m_Program.Positions(), m_Messages);
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

void Document::ReadMapping() { m_Mapping.ReadTextureCfg(m_Program.m_TextureCfgFolder); }

void Document::ListCar() {
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

void Document::Save() {
  if (!m_Car) return;
  const auto path = m_Chooser.Choose(FileAction::Save, kCarFileKind);
  if (!path) return;
  m_Car->WriteBack(tableOffset(ShapeKind::Car));
  m_Car->SaveShapeFile(*path, m_Messages);
}

void Document::ExportToExe() {
  if (!m_Car) return;
  const std::filesystem::path exe = m_Program.ExecutablePath();
  if (SettlePatchLevel(exe)) tavrel::ExportToExe(exe, *m_Car, m_Program.Positions(), m_Messages);
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
  LoadCameras(*path, *m_Car, m_Messages);
}

void Document::ExportCtf() {
  const auto path = m_Chooser.Choose(FileAction::Save, kTransferFileKind);
  if (path) tavrel::ExportCtf(*path, m_Car.get(), m_Messages);
}

void Document::ImportCtf() {
  const auto path = m_Chooser.Choose(FileAction::Open, kTransferFileKind);
  if (path) tavrel::ImportCtf(*path, m_Car.get(), m_Messages);
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
  // A point picked on the part is the car's selection too; the part's points
  // are about to be replaced, so it goes.
  if (m_Car->m_SelectedPoint != nullptr && m_Car->m_SelectedPoint->m_Owner == part) m_Car->m_SelectedPoint = nullptr;
  if (!ReadPartFile(*path, *part, kind, m_Messages)) return;
  // The part's elements were replaced: its items go and come anew, the rest of
  // the car's items (and its texture files) stay as they are.
  UpdateAllViews();
  RelistShape(*part, kind.shape);
}

void Document::ExportObj() {
  const auto path = m_Chooser.Choose(FileAction::Save, kObjFileKind);
  if (path) tavrel::ExportObj(*path, m_Car.get(), m_Messages);
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

void Document::ElementChanged(Observer& element) {
  m_ElementEdited.Emit(element);
  UpdateAllViews();
}

}  // namespace tavrel
