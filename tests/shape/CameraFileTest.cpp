#include <gtest/gtest.h>

#include "shape/CameraFile.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::Message;

std::vector<std::uint8_t> countingBytes(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i + 1);
  return bytes;
}

TEST(CameraFile, SavedCamerasLoadBackByteForByte) {
  ScratchFolder dir;
  Car car;
  TakeCameraBytes(car, countingBytes(kCameraFileSize));
  test::RecordingMessages messages;
  ASSERT_TRUE(SaveCameras(dir / "c.cam", car, messages));
  EXPECT_EQ(test::ReadBytes(dir / "c.cam"), countingBytes(kCameraFileSize));

  Car other;
  ASSERT_TRUE(LoadCameras(dir / "c.cam", other, messages));
  for (std::size_t i = 0; i < Car::kCameraCount; ++i) {
    EXPECT_EQ(other.m_Cameras[i].m_Record, car.m_Cameras[i].m_Record);
    EXPECT_EQ(other.m_Cameras[i].m_Loaded, 1);
    EXPECT_EQ(other.m_Cameras[i].m_Owner, &other);
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST(CameraFile, RecordsHoldXThenZThenYAndAnglesInDegrees) {
  Car car;
  std::vector<std::uint8_t> bytes(kCameraFileSize, 0);
  const std::vector<std::uint8_t> first = {0x10, 0, 0x20, 0, 0x30, 0, 0x00, 0x40, 0x00, 0xC0, 0xE8, 0x03};
  std::copy(first.begin(), first.end(), bytes.begin());
  TakeCameraBytes(car, bytes);
  const Camera& camera = car.m_Cameras[0];
  EXPECT_EQ(camera.m_Record.X, 16);
  EXPECT_EQ(camera.m_Record.Z, 32);
  EXPECT_EQ(camera.m_Record.Y, 48);
  EXPECT_EQ(camera.m_DirectionDeg, 90);  // 16384
  EXPECT_EQ(camera.m_PitchDeg, -90);     // -16384
  EXPECT_EQ(camera.m_RollDeg, 5);        // 1000
}

TEST(CameraFile, AShortFileFillsTheRecordsInOrderAndMarksAllNineLoaded) {
  Car car;
  for (Camera& camera : car.m_Cameras) camera.SetRecord({1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
  TakeCameraBytes(car, std::vector<std::uint8_t>(30, 0));  // one record and the first half of the next
  EXPECT_EQ(car.m_Cameras[0].m_Record, CameraRecord{});
  EXPECT_EQ(car.m_Cameras[1].m_Record, (CameraRecord{0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
  EXPECT_EQ(car.m_Cameras[2].m_Record, (CameraRecord{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  for (const Camera& camera : car.m_Cameras) {
    EXPECT_EQ(camera.m_Loaded, 1);
    EXPECT_EQ(camera.m_Owner, &car);
  }
}

TEST(CameraFile, ALongerFileIsReadOnlyToItsNineRecords) {
  ScratchFolder dir;
  std::vector<std::uint8_t> bytes = countingBytes(kCameraFileSize);
  bytes.resize(kCameraFileSize + 40, 0xFF);
  test::WriteBytes(dir / "long.cam", bytes);
  Car car;
  test::RecordingMessages messages;
  ASSERT_TRUE(LoadCameras(dir / "long.cam", car, messages));
  const auto loaded = CameraFileBytes(car);
  EXPECT_EQ(std::vector<std::uint8_t>(loaded.begin(), loaded.end()), countingBytes(kCameraFileSize));
}

// An empty file holds no camera: taking it would only mark the cameras loaded.
TEST(CameraFile, FailuresAreReportedWithTheStopIconAndChangeNothing) {
  ScratchFolder dir;
  Car car;
  car.m_Cameras[3].SetRecord({5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
  test::WriteBytes(dir / "empty.cam", {});
  test::RecordingMessages messages;
  EXPECT_FALSE(SaveCameras(dir / "missing" / "c.cam", car, messages));
  EXPECT_FALSE(LoadCameras(dir / "none.cam", car, messages));
  EXPECT_FALSE(LoadCameras(dir / "empty.cam", car, messages));
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0], (Message{"Cannot Open Camera File for Saving: " + (dir / "missing" / "c.cam").string() +
                                            " (No such file or directory)",
                                        Icon::Stop}));
  EXPECT_EQ(messages.shown[1].icon, Icon::Stop);
  EXPECT_EQ(messages.shown[2],
            (Message{"Camera file \"" + (dir / "empty.cam").string() + "\" is empty: it holds no camera", Icon::Stop}));
  EXPECT_EQ(car.m_Cameras[3].m_Record.X, 5);
  EXPECT_EQ(car.m_Cameras[3].m_Loaded, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(CameraFile, CamerasNeverLoadedAreSavedAsTheyAre) {
  ScratchFolder dir;
  Car car;
  test::RecordingMessages messages;
  ASSERT_TRUE(SaveCameras(dir / "new.cam", car, messages));
  EXPECT_EQ(test::ReadBytes(dir / "new.cam"), std::vector<std::uint8_t>(kCameraFileSize, 0));
}

}  // namespace
}  // namespace tavrel
