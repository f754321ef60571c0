#pragma once
// What every document shares: where the game is, which build of its executable
// the player has, and the program-wide switches. The game location is read from
// the settings at every use, unless this run was given one.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "shape/ExePositions.h"
#include "textures/JAM.h"

namespace tavrel {

class FileChooser;
class Messages;
class Settings;

inline constexpr const char* kDefaultGameLocation = "c:\\zav\\";

// Asks the player which patch level their game is at: none when they cancel.
class PatchLevelQuestion {
 public:
  virtual ~PatchLevelQuestion() = default;
  virtual std::optional<int> Ask() = 0;
};

class ProgramValues {
 public:
  explicit ProgramValues(Settings& settings) : m_Settings(settings) {}

  Settings& Store() { return m_Settings; }

  // "ZavLocation", or "c:\zav\" when none is stored; the run's own location when given.
  std::string GameLocation() const;
  void SetGameLocation(const std::string& location);  // writes "ZavLocation"
  // "Edit Zav Location...": asks for a folder and stores it; a cancelled
  // browser or a folder not of this machine changes nothing, and says so.
  void EditGameLocation(FileChooser& chooser, Messages& messages);
  void OverrideGameLocation(std::string location) { m_GameLocationOverride = std::move(location); }
  // The game location followed by "zav.exe", as the host's file system knows
  // it; the run's own executable when given.
  std::filesystem::path ExecutablePath() const;
  void OverrideExecutablePath(std::filesystem::path path) { m_ExecutableOverride = std::move(path); }

  // The patch level: 0 for the original game, 1 for the 1.13 patch. It selects
  // the executable positions, for the next import or export.
  int PatchLevel() const { return m_PatchLevel; }
  const ExePositions& Positions() const { return m_Positions; }
  // Start-up: the stored "ZavPatchLevel", or, when none is stored, the level
  // the player answers (nothing: cancelled, the level stays). The positions follow.
  void ReadPatchLevel(PatchLevelQuestion& question);
  // "Edit Zav Patch Level": the chosen level (nothing: cancelled, the level
  // stays) is stored either way and used from the next import or export on.
  void EditPatchLevel(PatchLevelQuestion& question);
  // The level an executable was found to be at, taken for this and later
  // imports: stored, unless this run's level was given for the run alone.
  void TakePatchLevel(int level);
  // This run's level, stored nowhere and asked for by nobody.
  void OverridePatchLevel(int level);
  // For runs that ask nothing: the stored level, the original game's when none
  // is stored; nothing is written.
  void UseStoredPatchLevel();

  unsigned m_AnimationDelay = 15;  // milliseconds; not stored
  bool m_UseInternalJams = true;
  bool m_DrawRcrJam = false;
  std::uint32_t m_JamSeed = kDefaultJamSeed;
  // texture.cfg is read from here: the working directory, as the game's tools expect.
  std::filesystem::path m_TextureCfgFolder = ".";
  // Where documents keep their unsaved changes against a crash; none when empty.
  std::filesystem::path m_RecoveryFolder;

 private:
  void SelectPositions() { m_Positions = PositionsForPatchLevel(m_PatchLevel); }

  Settings& m_Settings;
  std::optional<std::string> m_GameLocationOverride;
  std::optional<std::filesystem::path> m_ExecutableOverride;
  std::optional<int> m_PatchLevelOverride;
  int m_PatchLevel = 0;
  ExePositions m_Positions = kOriginalPositions;
};

}  // namespace tavrel
