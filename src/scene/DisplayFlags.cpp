#include "scene/DisplayFlags.h"

#include <array>

#include "base/Settings.h"

namespace tavrel {
namespace {

// In the order the flags are read; the livery JAM's name is written between
// "showCameraNumbers" and "showNoseDetail".
constexpr std::array<DisplayFlagKey, 21> kFlagKeys{{
    {"showFilled", &DisplayFlags::showFilled},
    {"showPoints", &DisplayFlags::showPoints},
    {"showTyres", &DisplayFlags::showTyres},
    {"showHelmet", &DisplayFlags::showHelmet},
    {"showAxis", &DisplayFlags::showAxis},
    {"showCameras", &DisplayFlags::showCameras},
    {"showTexture", &DisplayFlags::showTexture},
    {"showShadowBox", &DisplayFlags::showShadowBox},
    {"showLines", &DisplayFlags::showLines},
    {"showCulling", &DisplayFlags::showCulling},
    {"showNormals", &DisplayFlags::showNormals},
    {"showSingleColor", &DisplayFlags::showSingleColor},
    {"showLighting", &DisplayFlags::showLighting},
    {"showCar", &DisplayFlags::showCar},
    {"showPointNumbers", &DisplayFlags::showPointNumbers},
    {"showVertexNumbers", &DisplayFlags::showVertexNumbers},
    {"showPolygonNumbers", &DisplayFlags::showPolygonNumbers},
    {"showCameraNumbers", &DisplayFlags::showCameraNumbers},
    {"showNoseDetail", &DisplayFlags::showNoseDetail},
    {"showCockpit", &DisplayFlags::showCockpit},
    {"showSWheel", &DisplayFlags::showSWheel},
}};
constexpr std::size_t kJamNameWrittenBefore = 18;  // "showNoseDetail"
constexpr const char* kCarJamNameKey = "DefaultZavJamFileName";

const DisplayFlagKey* findKey(std::string_view key) {
  for (const DisplayFlagKey& entry : kFlagKeys)
    if (entry.key == key) return &entry;
  return nullptr;
}

}  // namespace

std::span<const DisplayFlagKey> DisplayFlagKeys() { return kFlagKeys; }

DisplayFlags ReadDisplayFlags(Settings& settings) {
  const DisplayFlags defaults;
  DisplayFlags flags;
  for (const DisplayFlagKey& entry : kFlagKeys)
    flags.*entry.flag = settings.ReadInt(kPreferences, entry.key, defaults.*entry.flag ? 1 : 0) == 1;
  flags.m_CarJamName = settings.ReadString(kPreferences, kCarJamNameKey, defaults.m_CarJamName);
  return flags;
}

void WriteDisplayFlags(Settings& settings, const DisplayFlags& flags) {
  for (std::size_t i = 0; i < kFlagKeys.size(); ++i) {
    if (i == kJamNameWrittenBefore) settings.WriteString(kPreferences, kCarJamNameKey, flags.m_CarJamName);
    settings.WriteInt(kPreferences, kFlagKeys[i].key, flags.*kFlagKeys[i].flag ? 1 : 0);
  }
}

std::optional<std::string> SetDisplayFlags(DisplayFlags& flags, std::string_view assignments) {
  DisplayFlags changed = flags;
  std::string_view rest = assignments;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view assignment = rest.substr(0, comma);
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
      return "Give display settings as KEY=0|1, not \"" + std::string(assignment) + "\"";
    const std::string_view key = assignment.substr(0, equals);
    const std::string_view value = assignment.substr(equals + 1);
    const DisplayFlagKey* entry = findKey(key);
    if (entry == nullptr) return "Unknown display setting \"" + std::string(key) + "\"";
    if (value != "0" && value != "1")
      return "Display setting " + std::string(key) + " takes 0 or 1, not \"" + std::string(value) + "\"";
    changed.*entry->flag = value == "1";
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  flags = changed;
  return std::nullopt;
}

}  // namespace tavrel
