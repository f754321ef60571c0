#include <gtest/gtest.h>

#include <numeric>

#include "textures/IndexedBitmap.h"

namespace tavrel {
namespace {

std::vector<std::uint8_t> toVector(ByteView bytes) { return {bytes.begin(), bytes.end()}; }

TEST(IndexedBitmap, StrideRoundsTheWidthUpToAMultipleOf4) {
  const std::vector<std::pair<int, int>> cases = {{0, 0}, {1, 4}, {4, 4},     {5, 8},     {6, 8},
                                                  {7, 8}, {8, 8}, {255, 256}, {256, 256}, {65535, 65536}};
  for (const auto& [width, stride] : cases) EXPECT_EQ(IndexedBitmap::Stride(static_cast<std::uint16_t>(width)), stride);
}

TEST(IndexedBitmap, StartsEmpty) {
  IndexedBitmap bitmap;
  EXPECT_EQ(toVector(bitmap.FileHeader()), std::vector<std::uint8_t>(14, 0));
  EXPECT_EQ(toVector(bitmap.InfoHeader()), std::vector<std::uint8_t>(40, 0));
  EXPECT_EQ(toVector(bitmap.ColourTable()), std::vector<std::uint8_t>(1024, 0));
  EXPECT_TRUE(bitmap.Rows().empty());
  EXPECT_EQ(bitmap.RowsSize(), 0);
}

TEST(IndexedBitmap, HeadersDescribeA256ColourBottomUpBmp) {
  IndexedBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromRows(5, 3, {}));
  // stride 8 x height 3 = 24 bytes of rows; file size 24 + 1078 = 1102 = 0x44E.
  EXPECT_EQ(toVector(bitmap.FileHeader()),
            (std::vector<std::uint8_t>{'B', 'M', 0x4E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0}));
  EXPECT_EQ(toVector(bitmap.InfoHeader()),
            (std::vector<std::uint8_t>{40, 0, 0, 0, 5,  0, 0, 0, 3, 0, 0, 0, 1, 0, 8, 0,  //
                                       0,  0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  //
                                       0,  1, 0, 0, 0,  1, 0, 0}));
  EXPECT_EQ(bitmap.RowsSize(), 24);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 3);
  // No source rows: pixel value 0 everywhere.
  EXPECT_EQ(toVector(bitmap.Rows()), std::vector<std::uint8_t>(24, 0));
}

TEST(IndexedBitmap, StoresRowsBottomFirstWithZeroPadding) {
  std::vector<std::uint8_t> pixels(10);
  std::iota(pixels.begin(), pixels.end(), 1);
  IndexedBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromRows(5, 2, pixels));
  EXPECT_EQ(toVector(bitmap.Rows()), (std::vector<std::uint8_t>{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
}

TEST(IndexedBitmap, FlipExchangesRowsAroundTheMiddle) {
  IndexedBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromRows(4, 3, std::vector<std::uint8_t>{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}));
  EXPECT_EQ(toVector(bitmap.Rows()), (std::vector<std::uint8_t>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));
  bitmap.FlipRows();
  EXPECT_EQ(toVector(bitmap.Rows()), (std::vector<std::uint8_t>{1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}));

  IndexedBitmap single;
  ASSERT_TRUE(single.CreateFromRows(3, 1, std::vector<std::uint8_t>{7, 8, 9}));
  EXPECT_EQ(toVector(single.Rows()), (std::vector<std::uint8_t>{7, 8, 9, 0}));
}

TEST(IndexedBitmap, ShortSourceRowsLeaveTheRestZero) {
  IndexedBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromRows(2, 2, std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(toVector(bitmap.Rows()), (std::vector<std::uint8_t>{3, 0, 0, 0, 1, 2, 0, 0}));
}

TEST(IndexedBitmap, DeviceBitmapShowsTheColourTableEntryOfEachPixelTopRowFirst) {
  std::vector<std::uint8_t> table(1024, 0);
  const auto setEntry = [&](int v, Rgb colour) {
    table[static_cast<std::size_t>(v) * 4] = colour.blue;
    table[static_cast<std::size_t>(v) * 4 + 1] = colour.green;
    table[static_cast<std::size_t>(v) * 4 + 2] = colour.red;
  };
  setEntry(1, {10, 20, 30});
  setEntry(2, {40, 50, 60});
  setEntry(255, {255, 0, 128});
  IndexedBitmap bitmap;
  bitmap.SetColourTable(table);
  EXPECT_EQ(toVector(bitmap.ColourTable()), table);
  ASSERT_TRUE(bitmap.CreateFromRows(3, 2, std::vector<std::uint8_t>{1, 2, 255, 0, 0, 1}));
  Picture picture;
  bitmap.MakeDeviceBitmap(picture);
  ASSERT_EQ(picture.width, 3);
  ASSERT_EQ(picture.height, 2);
  EXPECT_EQ(picture.rgb, (std::vector<std::uint8_t>{10, 20, 30, 40, 50, 60, 255, 0, 128,  //
                                                    0, 0, 0, 0, 0, 0, 10, 20, 30}));

  bitmap.FreePixels();
  EXPECT_TRUE(bitmap.Rows().empty());
  bitmap.MakeDeviceBitmap(picture);
  EXPECT_EQ(picture, Picture());
}

TEST(IndexedBitmap, RowsTheHeadersCannotStateFailWithTheOutOfMemoryNote) {
  IndexedBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateFromRows(4, 1, std::vector<std::uint8_t>{1, 2, 3, 4}));
  testing::internal::CaptureStdout();
  EXPECT_FALSE(bitmap.CreateFromRows(65535, 65535, {}));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Out of memory trying to allocate a buffer for BMP file.\n");
  EXPECT_TRUE(bitmap.Rows().empty());
  EXPECT_EQ(bitmap.RowsSize(), 0);
}

}  // namespace
}  // namespace tavrel
