#pragma once
// Paths into the game's installation. The game location comes from the caller
// (a setting in the program, an argument in the command-line tool).

#include <filesystem>
#include <string>

namespace tavrel {

// The game location as this system's file system knows it. On a system whose
// separator is not a backslash, a Windows location ("c:\\zav\\", a drive letter
// or backslashes) is taken to be inside the Wine prefix ($WINEPREFIX, else
// ~/.wine; drive c: is its drive_c) with its backslashes as separators. Any
// other location is taken unchanged.
std::string HostGameLocation(const std::string& gameLocation);

// The game location (HostGameLocation), one separator and the relative path (given with forward
// slashes). The location is taken unchanged, so one that ends in a separator
// gives two in a row, which file systems accept. When that exact path does not
// exist, it is resolved case-insensitively (see ResolveCaseInsensitive).
std::filesystem::path GamePath(const std::string& gameLocation, const std::string& relative);

// The game's executable: GamePath of "zav.exe".
std::filesystem::path ExecutablePath(const std::string& gameLocation);

// A game copied from another system may spell its files in another case
// (ZAV.EXE, ZAVJAMS/LIVERIES/...). When the path does not exist as written, each
// component that is missing is matched case-insensitively against its folder's
// entries; the path comes back unchanged when no such match exists.
std::filesystem::path ResolveCaseInsensitive(const std::filesystem::path& path);

}  // namespace tavrel
