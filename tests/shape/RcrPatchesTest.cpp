#include <gtest/gtest.h>

#include "base/Files.h"
#include "demo/ExeBuilder.h"
#include "shape/RcrPatches.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

class RcrPatchesTest : public ::testing::Test {
 protected:
  ScratchFolder dir;
  std::filesystem::path exe = dir / "zav.exe";
  test::RecordingMessages messages;
};

TEST_F(RcrPatchesTest, TheBlockIsReadAtTheOffsetOfThePatchLevel) {
  for (int level : {0, 1, 7}) {
    SCOPED_TRACE(level);
    ExeRecipe recipe = SampleExeRecipe(level);
    recipe.rcrDistances = {3840, 7680, -1, 0x12345678};
    ASSERT_TRUE(BuildExe(exe, recipe));
    EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(level), messages), recipe.rcrDistances);
    EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(level == 0 ? 1 : 0), messages), (RcrDistances{0, 0, 0, 0}));
    EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 3200);
  }
  EXPECT_EQ(RcrBlockOffset(0), 0x52EF68);
  EXPECT_EQ(RcrBlockOffset(7), 0x530308);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RcrPatchesTest, WritingChangesOnlyTheBytesOfTheValues) {
  ASSERT_TRUE(BuildExe(exe, SampleExeRecipe(1)));
  const auto before = *readFile(exe);
  const PatchResult same = WriteRcrDistances(exe, 1, {3840, 7680, 3840, 7680}, messages);
  EXPECT_TRUE(same.ok);
  EXPECT_EQ(same.writes, 0u);

  const PatchResult changed = WriteRcrDistances(exe, 1, {3840, -1, 3840, 7680}, messages);
  EXPECT_EQ(changed.bytesChanged, 4u);
  EXPECT_TRUE(WriteTriggerDistance(exe, kTriggerOffset, 10000, messages).ok);
  auto expected = before;
  writeU32(expected, RcrBlockOffset(1) + 4, 0xFFFFFFFF);
  writeU32(expected, kTriggerOffset, 10000);
  EXPECT_EQ(*readFile(exe), expected);
  EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 10000);
  EXPECT_TRUE(messages.shown.empty());
}

// The dialogs show 0 for a value the file ends before; the values tell it apart.
TEST_F(RcrPatchesTest, AFileTooShortReadsZerosAndIsNotWritten) {
  ExeRecipe recipe = SampleExeRecipe(0);
  recipe.size = static_cast<std::uint64_t>(RcrBlockOffset(0)) + 6;  // the first value and half the second
  ASSERT_TRUE(BuildExe(exe, recipe));
  EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(0), messages), (RcrDistances{3840, 0, 0, 0}));
  const auto values = ReadRcrValues(exe, RcrBlockOffset(0), messages);
  ASSERT_TRUE(values);
  EXPECT_TRUE((*values)[0].found);
  EXPECT_FALSE((*values)[1].found);
  EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 3200);
  const auto before = *readFile(exe);
  const PatchResult rcr = WriteRcrDistances(exe, 0, {1, 2, 3, 4}, messages);
  EXPECT_FALSE(rcr.ok);
  EXPECT_EQ(rcr.failure, PatchFailure::NotReachable);
  EXPECT_EQ(*readFile(exe), before);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Failed to find RCR Distance Data"});

  recipe.size = static_cast<std::uint64_t>(kTriggerOffset) + 2;
  ASSERT_TRUE(BuildExe(exe, recipe));
  EXPECT_EQ(ReadTriggerDistance(exe, kTriggerOffset, messages), 0);
  EXPECT_FALSE(ReadTriggerValue(exe, kTriggerOffset, messages)->found);
  const PatchResult trigger = WriteTriggerDistance(exe, kTriggerOffset, 5, messages);
  EXPECT_FALSE(trigger.ok);
  EXPECT_EQ(trigger.failure, PatchFailure::NotReachable);
  EXPECT_EQ(messages.texts().back(), "Failed to find RCR Trigger Data");
}

// The block lies 5024 bytes apart at the two levels; written at the wrong one it
// would land in whatever the game keeps there. The car of the level shows it.
TEST_F(RcrPatchesTest, TheBlockIsNotWrittenWithoutTheCarOfThePatchLevel) {
  for (const auto& [built, patched] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{0, 7}}) {
    SCOPED_TRACE(testing::Message() << "built " << built << " patched " << patched);
    ExeRecipe recipe = SampleExeRecipe(built);
    recipe.size = kWholeImagesSize;
    ASSERT_TRUE(BuildExe(exe, recipe));
    const auto before = *readFile(exe);
    messages.shown.clear();
    const PatchResult result = WriteRcrDistances(exe, patched, {1, 2, 3, 4}, messages);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure, PatchFailure::WrongPlace);
    EXPECT_EQ(messages.shown,
              (std::vector<test::Message>{
                  {"zav.exe does not hold a car shape at this patch level; is the patch level right?", Icon::Stop}}));
    EXPECT_EQ(*readFile(exe), before);
  }
}

// The trigger dialog stays open when the executable cannot be opened for update,
// but closes when it is too short for the value: the failure tells which.
TEST_F(RcrPatchesTest, AMissingExecutableIsReported) {
  EXPECT_EQ(ReadRcrDistances(exe, RcrBlockOffset(0), messages), std::nullopt);
  EXPECT_EQ(ReadTriggerValue(exe, kTriggerOffset, messages), std::nullopt);
  const PatchResult result = WriteTriggerDistance(exe, kTriggerOffset, 0, messages);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.failure, PatchFailure::CannotOpen);
  const test::Message expected{"Cannot find ZAV.EXE  at path=\"" + exe.string() + "\" or (ZAV.EXE may be read only!)",
                               Icon::Stop};
  EXPECT_EQ(messages.shown, std::vector<test::Message>(3, expected));
  EXPECT_FALSE(std::filesystem::exists(exe));
}

}  // namespace
}  // namespace tavrel
