// The recovery file: a car, its parts and cameras come back byte for byte, and
// a file that is not whole gives nothing.
#include <gtest/gtest.h>

#include "demo/DemoGame.h"
#include "document/RecoveryFile.h"
#include "shape/GameExecutable.h"
#include "support/TestSupport.h"

namespace tavrel::test {
namespace {

std::unique_ptr<Car> DemoCar(const ScratchFolder& game) {
  RecordingMessages messages;
  EXPECT_TRUE(demo::MakeDemoGame(game.path(), {}, messages));
  auto car = ImportFromExe(game / "zav.exe", kOriginalPositions, messages);
  EXPECT_TRUE(ReadCamerasFromExe(*car, game / "zav.exe", kOriginalPositions, messages));
  return car;
}

TEST(RecoveryFile, GivesBackTheCarItsPartsNamesAndCameras) {
  ScratchFolder game;
  auto car = DemoCar(game);
  car->m_Points[3].m_X = 1234;
  car->m_Helmet->m_Points[0].m_Z = -77;
  car->m_Cameras[4].m_Loaded = 0;
  const auto bytes = RecoveryBytes(*car, "/cars/mine.cs3", "mine.cs3");
  auto recovered = ReadRecovery(bytes);
  ASSERT_TRUE(recovered);
  EXPECT_EQ(recovered->file, "/cars/mine.cs3");
  EXPECT_EQ(recovered->name, "mine.cs3");
  EXPECT_EQ(CarBytes(*recovered->car), CarBytes(*car));
  EXPECT_EQ(recovered->car->m_Helmet->GetName(), "Helmet");
  EXPECT_EQ(recovered->car->m_Cameras[4].m_Loaded, 0);
  EXPECT_EQ(recovered->car->m_Cameras[5].m_Loaded, 1);
}

TEST(RecoveryFile, AFileThatIsNotWholeGivesNothing) {
  ScratchFolder game;
  auto car = DemoCar(game);
  const auto bytes = RecoveryBytes(*car, "", "car1");
  for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{40}, bytes.size() / 2, bytes.size() - 1})
    EXPECT_FALSE(ReadRecovery(ByteView(bytes).first(cut))) << cut;
  auto longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(ReadRecovery(longer));
  auto otherSignature = bytes;
  otherSignature[0] = 't';
  EXPECT_FALSE(ReadRecovery(otherSignature));
}

}  // namespace
}  // namespace tavrel::test
