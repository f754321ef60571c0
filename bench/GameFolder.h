#pragma once
// The program values of a benchmark run on a game folder of its own: its
// location, the original game's patch level and its texture.cfg.

#include <filesystem>

#include "document/ProgramValues.h"

namespace tavrel {

inline void UseGameFolder(ProgramValues& program, const std::filesystem::path& game) {
  program.OverrideGameLocation(game.string());
  program.OverridePatchLevel(0);
  program.m_TextureCfgFolder = game;
}

}  // namespace tavrel
