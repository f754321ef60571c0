// The car view's display flags in the settings store, and the command line's KEY=0|1 lists.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/Settings.h"
#include "scene/DisplayFlags.h"

namespace tavrel {
namespace {

// Keeps the order of the reads and writes.
class LoggingSettings : public MemorySettings {
 public:
  int ReadInt(const std::string& section, const std::string& name, int fallback) override {
    reads.push_back(section + "/" + name);
    return MemorySettings::ReadInt(section, name, fallback);
  }
  std::string ReadString(const std::string& section, const std::string& name, const std::string& fallback) override {
    reads.push_back(section + "/" + name);
    return MemorySettings::ReadString(section, name, fallback);
  }
  void WriteInt(const std::string& section, const std::string& name, int value) override {
    writes.push_back(section + "/" + name + "=" + std::to_string(value));
    MemorySettings::WriteInt(section, name, value);
  }
  void WriteString(const std::string& section, const std::string& name, const std::string& value) override {
    writes.push_back(section + "/" + name + "=" + value);
    MemorySettings::WriteString(section, name, value);
  }

  std::vector<std::string> reads;
  std::vector<std::string> writes;
};

const std::vector<std::string> kTableOrder = {
    "showFilled",        "showPoints",         "showTyres",         "showHelmet",     "showAxis",
    "showCameras",       "showTexture",        "showShadowBox",     "showLines",      "showCulling",
    "showNormals",       "showSingleColor",    "showLighting",      "showCar",        "showPointNumbers",
    "showVertexNumbers", "showPolygonNumbers", "showCameraNumbers", "showNoseDetail", "showCockpit",
    "showSWheel"};

TEST(DisplayFlags, AnEmptyStoreGivesTheDefaultsReadInTableOrder) {
  LoggingSettings settings;
  const DisplayFlags flags = ReadDisplayFlags(settings);
  std::vector<std::string> expected;
  for (const std::string& key : kTableOrder) expected.push_back("Preferences/" + key);
  expected.push_back("Preferences/DefaultZavJamFileName");
  EXPECT_EQ(settings.reads, expected);
  // Shown: polygons, tyres, helmet, axis, cameras, lines, car, cockpit and
  // steering wheel (and the two flags the frame does not consult).
  const std::vector<bool> on = {flags.showFilled,  flags.showTyres,     flags.showHelmet,    flags.showAxis,
                                flags.showCameras, flags.showLines,     flags.showCar,       flags.showCockpit,
                                flags.showSWheel,  flags.showShadowBox, flags.showNoseDetail};
  const std::vector<bool> off = {flags.showPoints,       flags.showTexture,       flags.showCulling,
                                 flags.showNormals,      flags.showSingleColor,   flags.showLighting,
                                 flags.showPointNumbers, flags.showVertexNumbers, flags.showPolygonNumbers,
                                 flags.showCameraNumbers};
  EXPECT_EQ(on, std::vector<bool>(on.size(), true));
  EXPECT_EQ(off, std::vector<bool>(off.size(), false));
  EXPECT_EQ(flags.m_CarJamName, "Mclare98.jam");
}

TEST(DisplayFlags, OnlyAStoredOneIsOn) {
  MemorySettings settings;
  settings.WriteInt(kPreferences, "showPoints", 2);
  settings.WriteInt(kPreferences, "showTexture", 1);
  settings.WriteInt(kPreferences, "showCar", -1);
  settings.WriteInt(kPreferences, "showAxis", 0);
  settings.WriteString(kPreferences, "DefaultZavJamFileName", "Ferrar98.jam");
  const DisplayFlags flags = ReadDisplayFlags(settings);
  EXPECT_FALSE(flags.showPoints);
  EXPECT_TRUE(flags.showTexture);
  EXPECT_FALSE(flags.showCar);
  EXPECT_FALSE(flags.showAxis);
  EXPECT_EQ(flags.m_CarJamName, "Ferrar98.jam");
}

TEST(DisplayFlags, WrittenWithTheJamNameBeforeTheNoseDetailAndReadBackAlike) {
  LoggingSettings settings;
  DisplayFlags flags;
  flags.showCar = false;
  flags.showPoints = true;
  flags.m_CarJamName = "Willia98.jam";
  WriteDisplayFlags(settings, flags);
  const std::set<std::string> on = {"showFilled",     "showPoints",  "showTyres",     "showHelmet",
                                    "showAxis",       "showCameras", "showShadowBox", "showLines",
                                    "showNoseDetail", "showCockpit", "showSWheel"};
  std::vector<std::string> expected;
  for (const std::string& key : kTableOrder) {
    if (key == "showNoseDetail") expected.push_back("Preferences/DefaultZavJamFileName=Willia98.jam");
    expected.push_back("Preferences/" + key + (on.contains(key) ? "=1" : "=0"));
  }
  EXPECT_EQ(settings.writes, expected);

  const DisplayFlags read = ReadDisplayFlags(settings);
  EXPECT_FALSE(read.showCar);
  EXPECT_TRUE(read.showPoints);
  EXPECT_TRUE(read.showFilled);
  EXPECT_EQ(read.m_CarJamName, "Willia98.jam");
}

TEST(DisplayFlags, KeyValueListsSetFlagsOrSayWhatIsWrong) {
  DisplayFlags flags;
  EXPECT_EQ(SetDisplayFlags(flags, "showTexture=1,showCar=0,showPointNumbers=1"), std::nullopt);
  EXPECT_TRUE(flags.showTexture);
  EXPECT_FALSE(flags.showCar);
  EXPECT_TRUE(flags.showPointNumbers);

  struct Case {
    const char* text;
    const char* error;
  };
  for (const Case& c : {Case{"showCar=0,showSpoiler=1", "Unknown display setting \"showSpoiler\""},
                        Case{"showCar=2", "Display setting showCar takes 0 or 1, not \"2\""},
                        Case{"showCar=", "Display setting showCar takes 0 or 1, not \"\""},
                        Case{"showCar=0,", "Give display settings as KEY=0|1, not \"\""},
                        Case{"showCar", "Give display settings as KEY=0|1, not \"showCar\""},
                        Case{"DefaultZavJamFileName=1", "Unknown display setting \"DefaultZavJamFileName\""}}) {
    DisplayFlags unchanged;
    EXPECT_EQ(SetDisplayFlags(unchanged, c.text), std::optional<std::string>(c.error)) << c.text;
    EXPECT_TRUE(unchanged.showCar) << c.text << ": a refused list changes nothing";
  }
}

}  // namespace
}  // namespace tavrel
