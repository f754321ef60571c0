#pragma once
// The settings store: integers and strings by section and name, read with a
// default. The desktop program keeps them in its own store; the command-line
// tool and the tests keep them in memory.

#include <map>
#include <string>
#include <utility>

namespace tavrel {

class Settings {
 public:
  virtual ~Settings() = default;
  virtual int ReadInt(const std::string& section, const std::string& name, int fallback) = 0;
  virtual std::string ReadString(const std::string& section, const std::string& name, const std::string& fallback) = 0;
  virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
  virtual void WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
};

// The section every setting of the program lives in.
inline const std::string kPreferences = "Preferences";

// Settings held in memory, forgotten at exit.
class MemorySettings : public Settings {
 public:
  int ReadInt(const std::string& section, const std::string& name, int fallback) override {
    const auto found = m_Ints.find({section, name});
    return found == m_Ints.end() ? fallback : found->second;
  }
  std::string ReadString(const std::string& section, const std::string& name, const std::string& fallback) override {
    const auto found = m_Strings.find({section, name});
    return found == m_Strings.end() ? fallback : found->second;
  }
  void WriteInt(const std::string& section, const std::string& name, int value) override {
    m_Ints[{section, name}] = value;
  }
  void WriteString(const std::string& section, const std::string& name, const std::string& value) override {
    m_Strings[{section, name}] = value;
  }

 private:
  std::map<std::pair<std::string, std::string>, int> m_Ints;
  std::map<std::pair<std::string, std::string>, std::string> m_Strings;
};

}  // namespace tavrel
