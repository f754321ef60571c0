// The recorder's batches and their JSON form, as tavrel-cli frame prints them.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "scene/FrameRecorder.h"

namespace tavrel {
namespace {

using nlohmann::json;

TEST(FrameRecorder, StartsFromAFreshContextAndKeepsStateBetweenBatches) {
  FrameRecorder recorder;
  recorder.Begin(DrawMode::Points);
  recorder.Vertex(1, 2, 3);
  recorder.End();
  recorder.Begin(DrawMode::Lines);
  recorder.End();
  recorder.Normal(0, 0, -1000);
  recorder.Enable(Capability::Texturing);
  recorder.BindTexture(2);
  recorder.Color(1.0 / 3, 0.5, 0);
  recorder.PushMatrix();
  recorder.Translate(10, 0, 0);
  recorder.Begin(DrawMode::Polygon);
  recorder.TexCoord(0.25, 1);
  recorder.Vertex(0.0004, 0, 0);
  recorder.Vertex(1, 1, 1);
  recorder.End();
  recorder.PopMatrix();
  recorder.PointSize(5);
  recorder.Disable(Capability::Texturing);
  recorder.Disable(Capability::DepthTest);
  recorder.Begin(DrawMode::Points);
  recorder.Vertex(0, 0, 0);
  recorder.End();
  recorder.Label("12", 1, 2, 3);

  const json expected = json::parse(R"({"batches": [
    {"mode": "points", "size": 1, "texture": 0, "normal": null, "vertices": [[1, 2, 3, 1, 1, 1]], "uv": null,
     "overAll": false},
    {"mode": "lines", "size": 1, "texture": 0, "normal": null, "vertices": [], "uv": null, "overAll": false},
    {"mode": "polygon", "size": 0, "texture": 2, "normal": [0, 0, -1000],
     "vertices": [[10, 0, 0, 0.333, 0.5, 0], [11, 1, 1, 0.333, 0.5, 0]], "uv": [[0.25, 1], [0.25, 1]],
     "overAll": false},
    {"mode": "points", "size": 5, "texture": 0, "normal": [0, 0, -1000], "vertices": [[0, 0, 0, 0.333, 0.5, 0]],
     "uv": null, "overAll": true}],
   "labels": [{"text": "12", "at": [1, 2, 3]}]})");
  EXPECT_EQ(json::parse(recorder.Json()), expected);
  EXPECT_EQ(recorder.MatrixDepth(), 0);
}

TEST(FrameRecorder, CylinderKeepsItsColourAndTheMatrixAtIt) {
  FrameRecorder recorder;
  recorder.Color(0, 1, 0);
  EXPECT_EQ(recorder.PushMatrix(), 1);
  recorder.Translate(-80, 160, 240);
  recorder.Rotate(90, 0, 0, 1);
  recorder.Cylinder(150, 100, 300, 4, 1);
  EXPECT_EQ(recorder.PopMatrix(), 0);
  const json expected = json::parse(R"({"batches": [
    {"mode": "cylinder", "base": 150, "top": 100, "height": 300, "slices": 4, "stacks": 1, "color": [0, 1, 0],
     "matrix": [0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, -80, 160, 240, 1]}],
   "labels": []})");
  EXPECT_EQ(json::parse(recorder.Json()), expected);
  // Whole numbers are written as integers.
  EXPECT_NE(recorder.Json().find("\"base\":150,"), std::string::npos);
}

TEST(FrameRecorder, MakingTexturesLeavesTheLastSlotBound) {
  FrameRecorder recorder;
  recorder.Enable(Capability::Texturing);
  recorder.MakeTextures();
  recorder.Begin(DrawMode::Polygon);
  recorder.End();
  EXPECT_TRUE(recorder.TexturesMade());
  EXPECT_EQ(std::get<RecordedBatch>(recorder.Items().at(0)).texture, 4);
}

TEST(FrameRecorder, AnUnpairedPopShowsInTheDepth) {
  FrameRecorder recorder;
  EXPECT_EQ(recorder.PopMatrix(), -1);
  recorder.Translate(1, 0, 0);
  recorder.Label("0", 0, 0, 0);
  EXPECT_EQ(recorder.Labels().at(0).at.x, 1);
}

}  // namespace
}  // namespace tavrel
