#include <gtest/gtest.h>

#include "demo/ExeBuilder.h"
#include "shape/PartFile.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::Message;

std::unique_ptr<Car> SamplePart(const PartFileKind& kind) { return test::DecodedCar(SampleShapeRecipe(kind.shape)); }

TEST(PartFile, TheFourKindsAsTheDialogsAndExportUseThem) {
  struct Row {
    ShapeKind shape;
    std::size_t length;
    int tableOffset;
    std::string_view defaultName;
    std::string_view filter;
  };
  const Row rows[] = {
      {ShapeKind::Helmet, 7764, 78, "unnamed.ch3", "Zav Helmet Files (*.ch3)|*.ch3|All Files(*.*)|*.*|"},
      {ShapeKind::Cockpit, 23664, 88, "unnamed.cp3", "Zav Cockpit Files (*.cp3)|*.cp3|All Files(*.*)|*.*|"},
      {ShapeKind::Wheel, 27764, 72, "unnamed.ty3", "Zav Tyre Files (*.ty3)|*.ty3|All Files(*.*)|*.*|"},
      {ShapeKind::SteeringWheel, 496, 72, "unnamed.st3", "Zav Steering Wheel Files (*.st3)|*.st3|All Files(*.*)|*.*|"},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    const PartFileKind& kind = kPartFileKinds[i];
    EXPECT_EQ(kind.shape, rows[i].shape);
    EXPECT_EQ(FindPartFileKind(rows[i].shape), &kind);
    EXPECT_EQ(kind.length, rows[i].length);
    EXPECT_EQ(kind.TableOffset(), rows[i].tableOffset);
    EXPECT_EQ(kind.dialog.defaultName, rows[i].defaultName);
    EXPECT_EQ(kind.dialog.filter, rows[i].filter);
  }
  EXPECT_EQ(FindPartFileKind(ShapeKind::Car), nullptr);
  // The steering wheel's part file ends where the helmet begins in the executable.
  EXPECT_EQ(kOriginalPositions.helmet - kOriginalPositions.steeringWheel, 496);
  EXPECT_EQ(kPatchedPositions.helmet - kPatchedPositions.steeringWheel, 496);
}

TEST(PartFile, WritingGivesTheKindsLengthOfTheImageWithItsEdits) {
  ScratchFolder dir;
  for (const PartFileKind& kind : kPartFileKinds) {
    SCOPED_TRACE(kind.name);
    auto part = SamplePart(kind);
    part->m_Points[1].m_Z = 0x01020304;
    test::RecordingMessages messages;
    const auto path = dir / std::string(kind.dialog.defaultName);
    ASSERT_TRUE(WritePartFile(path, *part, kind, messages));
    const auto bytes = test::ReadBytes(path);
    ASSERT_EQ(bytes.size(), kind.length);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), part->m_Image.begin()));
    const ShapeHeader header = ShapeHeaderFor(SampleShapeRecipe(kind.shape));
    EXPECT_EQ(readU32(bytes, header.OffsetOf(header.pointsBegin, kind.TableOffset()) + 16 + 8), 0x01020304u);

    // Reading it back into another part gives the same image and elements.
    auto other = std::make_unique<Car>();
    ASSERT_TRUE(ReadPartFile(path, *other, kind, messages));
    EXPECT_EQ(other->m_Image, part->m_Image);
    EXPECT_EQ(other->m_Points[1].m_Z, 0x01020304);
    EXPECT_EQ(other->m_Valid, 1);
    EXPECT_TRUE(messages.shown.empty());
  }
}

// A file of another length is another kind of part, or one cut short; taking
// its bytes would leave the part half one shape and half another.
TEST(PartFile, AFileOfAnotherLengthIsRefusedAndChangesNothing) {
  ScratchFolder dir;
  const PartFileKind& tyres = *FindPartFileKind(ShapeKind::Wheel);
  const std::vector<std::uint8_t> image = BuildShapeImage(SampleShapeRecipe(ShapeKind::Wheel));
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{1000}, tyres.length - 1, tyres.length + 1,
                                 std::size_t{7764}, std::size_t{Car::kImageSize}}) {
    SCOPED_TRACE(size);
    auto wheel = SamplePart(tyres);
    wheel->m_Points[0].m_Y = 4321;  // an edit not yet written back
    const auto before = wheel->m_Image;
    std::vector<std::uint8_t> file = image;
    file.resize(size, 0x55);
    test::WriteBytes(dir / "w.ty3", file);
    test::RecordingMessages messages;
    EXPECT_FALSE(ReadPartFile(dir / "w.ty3", *wheel, tyres, messages));
    EXPECT_EQ(messages.shown, (std::vector<Message>{{"\"" + (dir / "w.ty3").string() + "\" is " + std::to_string(size) +
                                                         " bytes long, but a Tyres part file is 27764 bytes long, so "
                                                         "it was not read",
                                                     Icon::Plain}}));
    EXPECT_EQ(wheel->m_Image, before);
    EXPECT_EQ(wheel->m_Points[0].m_Y, 4321);
  }
}

TEST(PartFile, AFileWithABadMagicNumberLeavesThePartAsItWas) {
  ScratchFolder dir;
  const PartFileKind& helmet = *FindPartFileKind(ShapeKind::Helmet);
  auto part = SamplePart(helmet);
  part->m_Points[0].m_Y = 4321;  // an edit not yet written back
  const auto image = part->m_Image;
  test::WriteBytes(dir / "bad.ch3", std::vector<std::uint8_t>(helmet.length, 0x11));
  test::RecordingMessages messages;
  EXPECT_FALSE(ReadPartFile(dir / "bad.ch3", *part, helmet, messages));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Bad magic number 1111 in the shape image"});
  EXPECT_EQ(part->m_Image, image);
  EXPECT_EQ(part->m_Valid, 1);
  EXPECT_EQ(part->m_PointCount, 3);
  EXPECT_EQ(part->m_Points[0].m_Y, 4321);
  EXPECT_EQ(part->m_Header->magic, ShapeHeader::kMagicPart);
}

TEST(PartFile, FilesThatCannotBeUsedAreReportedAndChangeNothing) {
  ScratchFolder dir;
  const PartFileKind& cockpit = *FindPartFileKind(ShapeKind::Cockpit);
  auto part = SamplePart(cockpit);
  const auto image = part->m_Image;
  test::RecordingMessages messages;
  EXPECT_FALSE(WritePartFile(dir / "missing" / "c.cp3", *part, cockpit, messages));
  EXPECT_FALSE(ReadPartFile(dir / "none.cp3", *part, cockpit, messages));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0], (Message{"Cannot open file for writing: " + (dir / "missing" / "c.cp3").string() +
                                            " (No such file or directory)",
                                        Icon::Plain}));
  EXPECT_EQ(messages.shown[1].icon, Icon::Plain);
  EXPECT_EQ(part->m_Image, image);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace tavrel
