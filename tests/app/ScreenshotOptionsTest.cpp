// What --screenshot's size, view and camera may be, and what is said of the rest.

#include <gtest/gtest.h>

#include "app/Screenshot.h"

namespace tavrel {
namespace {

TEST(ScreenshotOptions, SizeViewAndCameraAreCheckedAndNamed) {
  struct Case {
    QSize size;
    std::optional<std::string> view;
    std::optional<int> camera;
    std::optional<std::string> error;
  };
  const std::string views =
      "--view takes right, left, front, bottom, top, back, front-left, front-right, back-left or back-right";
  for (const Case& c : {
           Case{{1024, 768}, std::nullopt, std::nullopt, std::nullopt},
           Case{{1, 1}, "back-right", 9, std::nullopt},
           Case{{0, 768}, std::nullopt, std::nullopt, "--size takes two positive numbers W,H"},
           Case{{}, std::nullopt, std::nullopt, "--size takes two positive numbers W,H"},
           Case{{1024, 768}, "sideways", std::nullopt, views},
           Case{{1024, 768}, std::nullopt, 0, "--camera takes 1 to 9"},
           Case{{1024, 768}, std::nullopt, 10, "--camera takes 1 to 9"},
       }) {
    ScreenshotOptions options;
    options.size = c.size;
    options.view = c.view;
    options.camera = c.camera;
    EXPECT_EQ(ScreenshotOptionsError(options), c.error) << c.size.width() << "," << c.size.height();
  }
}

}  // namespace
}  // namespace tavrel
