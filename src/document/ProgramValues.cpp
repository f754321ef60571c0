#include "document/ProgramValues.h"

#include "base/GamePaths.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "document/FileChooser.h"

namespace tavrel {
namespace {
const std::string kLocationKey = "ZavLocation";
const std::string kPatchLevelKey = "ZavPatchLevel";
constexpr int kNoPatchLevel = -1;
}  // namespace

std::string ProgramValues::GameLocation() const {
  if (m_GameLocationOverride) return *m_GameLocationOverride;
  return m_Settings.ReadString(kPreferences, kLocationKey, kDefaultGameLocation);
}

void ProgramValues::SetGameLocation(const std::string& location) {
  m_Settings.WriteString(kPreferences, kLocationKey, location);
}

void ProgramValues::EditGameLocation(FileChooser& chooser, Messages& messages) {
  const std::optional<std::filesystem::path> chosen = chooser.ChooseFolder("Select Zav Location");
  if (!chosen) return messages.show("Failed to find Zav directory");
  if (chosen->empty()) return messages.show("Failed to Locate Zav directory");
  SetGameLocation(chosen->string());
}

std::filesystem::path ProgramValues::ExecutablePath() const {
  return m_ExecutableOverride ? *m_ExecutableOverride : tavrel::ExecutablePath(GameLocation());
}

void ProgramValues::ReadPatchLevel(PatchLevelQuestion& question) {
  if (m_PatchLevelOverride) {
    m_PatchLevel = *m_PatchLevelOverride;
  } else {
    const int stored = m_Settings.ReadInt(kPreferences, kPatchLevelKey, kNoPatchLevel);
    if (stored == kNoPatchLevel)
      EditPatchLevel(question);
    else
      m_PatchLevel = stored;
  }
  SelectPositions();
}

void ProgramValues::EditPatchLevel(PatchLevelQuestion& question) {
  if (const std::optional<int> chosen = question.Ask()) m_PatchLevel = *chosen;
  if (!m_PatchLevelOverride) m_Settings.WriteInt(kPreferences, kPatchLevelKey, m_PatchLevel);
  SelectPositions();
}

void ProgramValues::TakePatchLevel(int level) {
  if (m_PatchLevelOverride)
    m_PatchLevelOverride = level;
  else
    m_Settings.WriteInt(kPreferences, kPatchLevelKey, level);
  m_PatchLevel = level;
  SelectPositions();
}

void ProgramValues::UseStoredPatchLevel() {
  const int stored = m_Settings.ReadInt(kPreferences, kPatchLevelKey, kNoPatchLevel);
  OverridePatchLevel(stored == kNoPatchLevel ? 0 : stored);
}

void ProgramValues::OverridePatchLevel(int level) {
  m_PatchLevelOverride = level;
  m_PatchLevel = level;
  SelectPositions();
}

}  // namespace tavrel
