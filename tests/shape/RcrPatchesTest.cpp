#include <gtest/gtest.h>

#include "base/Files.h"
#include "builders/ExeBuilder.h"
#include "shape/RcrPatches.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

class RcrPatchesTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  std::filesystem::path exe = dir / "zav.exe";
  test::RecordingMessages messages;
};

TEST_F(RcrPatchesTest, TheBlockIsReadAtTheOffsetOfThePatchLevel) {
  for (int level : {0, 1, 7}) {
    SCOPED_TRACE(level);
    ExeSpec spec = SampleExeSpec(level);
    spec.rcrDistances = {3840, 7680, -1, 0x12345678};
    ASSERT_TRUE(BuildExe(exe, spec));
    EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(level), messages), spec.rcrDistances);
    EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(level == 0 ? 1 : 0), messages), (RcrDistances{0, 0, 0, 0}));
    EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 3200);
  }
  EXPECT_EQ(RcrBlockOffset(0), 0x52EF68);
  EXPECT_EQ(RcrBlockOffset(7), 0x530308);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RcrPatchesTest, WritingChangesOnlyTheBytesOfTheValues) {
  ASSERT_TRUE(BuildExe(exe, SampleExeSpec(1)));
  const auto before = *readFile(exe);
  const PatchResult same = WriteRcrDistances(exe, RcrBlockOffset(1), {3840, 7680, 3840, 7680}, messages);
  EXPECT_TRUE(same.ok);
  EXPECT_EQ(same.writes, 0u);

  const PatchResult changed = WriteRcrDistances(exe, RcrBlockOffset(1), {3840, -1, 3840, 7680}, messages);
  EXPECT_EQ(changed.bytesChanged, 4u);
  EXPECT_TRUE(WriteTriggerDistance(exe, kTriggerOffset, 10000, messages).ok);
  auto expected = before;
  writeU32(expected, RcrBlockOffset(1) + 4, 0xFFFFFFFF);
  writeU32(expected, kTriggerOffset, 10000);
  EXPECT_EQ(*readFile(exe), expected);
  EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 10000);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RcrPatchesTest, AFileTooShortReadsZerosAndIsNotWritten) {
  ExeSpec spec = SampleExeSpec(0);
  spec.size = static_cast<std::uint64_t>(RcrBlockOffset(0)) + 6;  // the first value and half the second
  ASSERT_TRUE(BuildExe(exe, spec));
  EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(0), messages), (RcrDistances{3840, 0, 0, 0}));
  EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 3200);
  const auto before = *readFile(exe);
  EXPECT_FALSE(WriteRcrDistances(exe, RcrBlockOffset(0), {1, 2, 3, 4}, messages).ok);
  EXPECT_EQ(*readFile(exe), before);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Failed to find RCR Distance Data"});

  spec.size = static_cast<std::uint64_t>(kTriggerOffset) + 2;
  ASSERT_TRUE(BuildExe(exe, spec));
  EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 0);
  EXPECT_FALSE(WriteTriggerDistance(exe, kTriggerOffset, 5, messages).ok);
  EXPECT_EQ(messages.texts().back(), "Failed to find RCR Trigger Data");
}

TEST_F(RcrPatchesTest, AMissingExecutableIsReported) {
  EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(0), messages), std::nullopt);
  EXPECT_FALSE(WriteTriggerDistance(exe, kTriggerOffset, 0, messages).ok);
  const test::Message expected{
      "Cannot find ZAV.EXE  at path=\"" + exe.string() + "\" or (ZAV.EXE may be read only!)", Icon::Stop};
  EXPECT_EQ(messages.shown, std::vector<test::Message>(2, expected));
  EXPECT_FALSE(std::filesystem::exists(exe));
}

}  // namespace
}  // namespace tavrel
