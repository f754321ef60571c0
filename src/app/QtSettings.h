#pragma once
// The settings store over QSettings: the user's own store, or an INI file of
// its own for tests and the demo, so they never touch the player's settings.

#include <QSettings>
#include <memory>
#include <string>

#include "base/Settings.h"

namespace tavrel {

inline constexpr const char* kOrganisation = "ZavTavrelProject";
inline constexpr const char* kApplicationName = "Zav Tavrel";

class QtSettings : public Settings {
 public:
  // An empty path means the user's native store.
  explicit QtSettings(const QString& iniPath = {});

  int ReadInt(const std::string& section, const std::string& name, int fallback) override;
  std::string ReadString(const std::string& section, const std::string& name, const std::string& fallback) override;
  void WriteInt(const std::string& section, const std::string& name, int value) override;
  void WriteString(const std::string& section, const std::string& name, const std::string& value) override;

 private:
  std::unique_ptr<QSettings> m_Store;
};

}  // namespace tavrel
