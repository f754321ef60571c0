#pragma once
// Document tests on a demo game at patch level 0, made once for all the tests
// of a suite.

#include <gtest/gtest.h>

#include "base/Settings.h"
#include "demo/DemoGame.h"
#include "document/Document.h"
#include "document/ProgramValues.h"
#include "support/AnsweringChooser.h"
#include "support/TestSupport.h"

namespace tavrel::test {

// A demo game at patch level 0, made once for all tests; each test copies the
// executable it may patch.
class DemoDocumentTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_Game = new ScratchFolder;
    RecordingMessages messages;
    ASSERT_TRUE(demo::MakeDemoGame(s_Game->path(), {}, messages)) << ::testing::PrintToString(messages.texts());
  }
  static void TearDownTestSuite() {
    delete s_Game;
    s_Game = nullptr;
  }

  void SetUp() override {
    program.OverrideGameLocation(s_Game->path().string());
    program.m_TextureCfgFolder = s_Game->path();
  }

  static std::filesystem::path Game() { return s_Game->path(); }

  // A game folder of the test's own whose executable may be patched.
  void UseOwnExecutable() {
    std::filesystem::copy_file(Game() / "zav.exe", dir / "zav.exe");
    program.OverrideGameLocation(dir.path().string());
  }

  inline static ScratchFolder* s_Game = nullptr;
  ScratchFolder dir;
  MemorySettings settings;
  ProgramValues program{settings};
  RecordingMessages messages;
  AnsweringChooser chooser;
  Document document{program, messages, chooser};
};

}  // namespace tavrel::test
