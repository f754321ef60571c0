#include "demo/DemoGame.h"

#include <string>
#include <vector>

#include "base/Files.h"
#include "builders/ExeBuilder.h"
#include "demo/DemoLiveries.h"
#include "demo/DemoShapes.h"
#include "demo/DemoTextureCfg.h"
#include "shape/CameraFile.h"
#include "shape/ExecutableFile.h"
#include "shape/PartFile.h"

namespace tavrel::demo {
namespace {

// The game's own view distances for its RCR pictures.
constexpr RcrDistances kRcrDistances = {3840, 7680, 3840, 7680};
constexpr std::int32_t kTriggerDistance = 3200;

ExeSpec exeSpec(int patchLevel) {
  ExeSpec spec;
  spec.patchLevel = patchLevel;
  spec.car = BuildShapeImage(MakeDemoCar().spec);
  spec.wheel = BuildShapeImage(MakeDemoWheel().spec);
  spec.cockpit = BuildShapeImage(MakeDemoCockpit().spec);
  spec.steeringWheel = BuildShapeImage(MakeDemoSteeringWheel().spec);
  spec.helmet = BuildShapeImage(MakeDemoHelmet().spec);
  const auto cameras = MakeDemoCameras();
  spec.cameras.assign(cameras.begin(), cameras.end());
  spec.rcrDistances = kRcrDistances;
  spec.triggerDistance = kTriggerDistance;
  return spec;  // size 0: the file ends just past the camera records
}

class Writer {
 public:
  Writer(std::filesystem::path directory, Messages& messages)
      : m_Directory(std::move(directory)), m_Messages(messages) {}

  bool Write(const std::string& relative, ByteView bytes) {
    const std::filesystem::path path = m_Directory / relative;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (!error && writeFileAtomically(path, bytes)) return true;
    m_Messages.show("Cannot write " + path.string(), Icon::Stop);
    return false;
  }

  bool WriteText(const std::string& relative, const std::string& text) {
    return Write(relative, ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }

 private:
  std::filesystem::path m_Directory;
  Messages& m_Messages;
};

// The shapes as the executable holds them: the car file is the whole image
// read at the car's place (which runs on over the parts behind it), each part
// file the first bytes of its place, as an export from the game would give.
bool writeCarFiles(const std::filesystem::path& exe, const ExePositions& at, Writer& writer, Messages& messages) {
  auto file = ExecutableFile::Open(exe, ExecutableFile::Mode::Read, messages);
  if (!file) return false;
  const auto window = [&file](std::int64_t position, std::size_t length) {
    std::vector<std::uint8_t> bytes(length, 0);
    file->ReadAt(position, bytes);
    return bytes;
  };
  if (!writer.Write("cars/demo.cs3", window(at.car, Car::kImageSize))) return false;
  for (const PartFileKind& kind : kPartFileKinds) {
    const std::string name = "cars/demo." + std::string(kind.dialog.extension);
    if (!writer.Write(name, window(at.of(kind.shape), kind.length))) return false;
  }
  return writer.Write("cars/demo.cam", window(at.cameras, kCameraFileSize));
}

bool writeJams(std::uint32_t seed, Writer& writer) {
  for (const LiveryScheme& livery : DemoLiveries())
    if (!writer.Write("zavjams/Liveries/" + std::string(livery.file), BuildJamFile(MakeLiveryJam(livery), seed)))
      return false;
  return writer.Write("zavjams/Main/Chassis3.jam", BuildJamFile(MakeChassisJam(), seed));
}

}  // namespace

bool MakeDemoGame(const std::filesystem::path& directory, const DemoGameOptions& options, Messages& messages) {
  Writer writer(directory, messages);
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  const std::filesystem::path exe = directory / "zav.exe";
  if (error || !BuildExe(exe, exeSpec(options.patchLevel))) {
    messages.show("Cannot write " + exe.string(), Icon::Stop);
    return false;
  }
  return writeCarFiles(exe, PositionsForPatchLevel(options.patchLevel), writer, messages) &&
         writeJams(options.jamSeed, writer) && writer.WriteText("texture.cfg", MakeDemoTextureCfg(MakeDemoCar()));
}

}  // namespace tavrel::demo
