// The patch level, game location and RCR dialogs, driven as a player would: each
// test answers the modal dialog from a timer, finding its controls by name.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "ModalDialog.h"
#include "app/PatchLevelDialog.h"
#include "app/QtDialogs.h"
#include "app/RcrDistancesDialog.h"
#include "app/TriggerDistanceDialog.h"
#include "base/Bytes.h"
#include "base/Settings.h"
#include "demo/ExeBuilder.h"
#include "document/ProgramValues.h"
#include "shape/CameraFile.h"
#include "shape/ExecutableFile.h"
#include "shape/ShapeFile.h"
#include "support/AnsweredPatchLevel.h"
#include "support/TestSupport.h"

namespace tavrel {
namespace {

using test::AnswerDialog;
using test::Click;
using test::Find;
using test::kCancel;
using test::kOk;
using test::Message;
using test::SetText;
using test::Text;

constexpr const char* kPatch = "button1024";
constexpr std::array kRcrFields{"edit1000", "edit1001", "edit1002", "edit1003"};
constexpr const char* kNotAnInteger = "Please enter an integer.";

// Types `typed` into `field` and presses `button`: the dialog must stay open with
// the focus on the field. Then cancels.
void ExpectRefused(QDialog& dialog, const char* field, const QString& typed, const char* button) {
  SetText(dialog, field, typed);
  Click(dialog, button);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, field));
  Click(dialog, kCancel);
}

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() {
    program.OverrideGameLocation(dir.path().string());
    exe = program.ExecutablePath();
  }

  void Build(const ExeRecipe& recipe) {
    std::filesystem::remove(BackupPath(exe));
    ASSERT_TRUE(BuildExe(exe, recipe));
    original = test::ReadBytes(exe);
  }
  // The executable as built, with `value` at `offset`.
  std::vector<std::uint8_t> OriginalWith(std::int64_t offset, std::int32_t value) const {
    std::vector<std::uint8_t> bytes = original;
    writeU32(bytes, offset, static_cast<std::uint32_t>(value));
    return bytes;
  }
  Message Missing() const { return {MissingExecutableMessage(exe), Icon::Stop}; }

  // A program that is running cannot be opened for writing, not even by root:
  // a stand-in for an executable that cannot be patched.
  void RunExecutableInPlaceOfTheGame() {
    std::filesystem::copy_file("/bin/sleep", exe);
    running.start(QString::fromStdString(exe.string()), {QStringLiteral("60")});
    ASSERT_TRUE(running.waitForStarted());
    original = test::ReadBytes(exe);
  }

  QDialog::DialogCode RunRcr(const std::function<void(QDialog&)>& answer) {
    QDialog::DialogCode result = QDialog::Rejected;
    EXPECT_TRUE(AnswerDialog([&] { RunRcrDistances(nullptr, program, messages); },
                             [&](QDialog& dialog) {
                               EXPECT_EQ(dialog.windowTitle(), "RCR Distances");
                               connect(dialog, result);
                               answer(dialog);
                             }));
    return result;
  }
  bool RunTrigger(const std::function<void(QDialog&)>& answer) {
    return AnswerDialog([&] { RunTriggerDistance(nullptr, program, messages); }, answer);
  }
  static void connect(QDialog& dialog, QDialog::DialogCode& result) {
    QObject::connect(&dialog, &QDialog::finished, [&result](int code) { result = QDialog::DialogCode(code); });
  }

  std::vector<QString> ShownDistances(QDialog& dialog) {
    std::vector<QString> shown;
    for (const char* field : kRcrFields) shown.push_back(Text(dialog, field));
    return shown;
  }

  ScratchFolder dir;
  MemorySettings settings;
  ProgramValues program{settings};
  std::filesystem::path exe;
  test::RecordingMessages messages;
  std::vector<std::uint8_t> original;
  QProcess running;

  ~DialogsTest() override {
    running.kill();
    running.waitForFinished();
  }
};

TEST_F(DialogsTest, PatchLevelDialogOffersThePatchedGameEveryTime) {
  struct Case {
    const char* radio;  // clicked before the button, if any
    const char* button;
    std::optional<int> level;
  };
  for (const Case& c : {Case{nullptr, kOk, 1}, Case{"radio1027", kOk, 0}, Case{"radio1027", kCancel, std::nullopt},
                        Case{nullptr, kCancel, std::nullopt}}) {
    SCOPED_TRACE(c.button);
    std::optional<int> chosen = -1;
    EXPECT_TRUE(AnswerDialog([&] { chosen = ChoosePatchLevel(nullptr); },
                             [&](QDialog& dialog) {
                               EXPECT_EQ(dialog.windowTitle(), "Choose Zav Patch Level");
                               auto* unpatched = Find<QRadioButton>(dialog, "radio1027");
                               auto* patched = Find<QRadioButton>(dialog, "radio1028");
                               ASSERT_TRUE(unpatched && patched);
                               EXPECT_EQ(unpatched->text(), "Original Zav");
                               EXPECT_EQ(patched->text(), "Zav Patch Level 1.13");
                               EXPECT_TRUE(patched->isChecked());
                               if (c.radio) Find<QRadioButton>(dialog, c.radio)->click();
                               Click(dialog, c.button);
                             }));
    EXPECT_EQ(chosen, c.level);
  }
}

TEST_F(DialogsTest, TheFolderBrowserGivesTheFolderChosenOrNothing) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  MemorySettings stored;
  QtFileChooser chooser(stored);
  std::optional<std::filesystem::path> chosen = "unset";
  EXPECT_TRUE(AnswerDialog([&] { chosen = chooser.ChooseFolder("Select Zav Location"); },
                           [&](QDialog& dialog) {
                             EXPECT_EQ(dialog.windowTitle(), "Select Zav Location");
                             auto* browser = qobject_cast<QFileDialog*>(&dialog);
                             ASSERT_TRUE(browser);
                             EXPECT_EQ(browser->fileMode(), QFileDialog::Directory);
                             dialog.reject();
                           }));
  EXPECT_EQ(chosen, std::nullopt);

  EXPECT_TRUE(AnswerDialog([&] { chosen = chooser.ChooseFolder("Select Zav Location"); },
                           [&](QDialog& dialog) {
                             auto* browser = qobject_cast<QFileDialog*>(&dialog);
                             ASSERT_TRUE(browser);
                             browser->setDirectory(QString::fromStdString(dir.path().string()));
                             dialog.accept();
                           }));
  EXPECT_EQ(chosen, dir.path());
}

TEST_F(DialogsTest, RcrDistancesShowsTheBlockOfTheCurrentPatchLevel) {
  Build(SampleExeRecipe(1));
  const std::vector<QString> gameValues{"3840", "7680", "3840", "7680"};
  const std::vector<QString> zeros(4, "0");
  for (int level : {1, 0, 1}) {
    test::AnsweredPatchLevel answered(level);
    program.EditPatchLevel(answered);
    RunRcr([&](QDialog& dialog) {
      EXPECT_EQ(ShownDistances(dialog), level == 1 ? gameValues : zeros);
      dialog.reject();
    });
  }
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(test::ReadBytes(exe), original);
}

TEST_F(DialogsTest, PatchWithoutChangesLeavesTheExecutableAsItWas) {
  Build(SampleExeRecipe(0));
  program.OverridePatchLevel(0);
  EXPECT_EQ(RunRcr([&](QDialog& dialog) {
              EXPECT_EQ(ShownDistances(dialog), (std::vector<QString>{"3840", "7680", "3840", "7680"}));
              Click(dialog, kPatch);
            }),
            QDialog::Accepted);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(test::ReadBytes(exe), original);
  EXPECT_FALSE(std::filesystem::exists(BackupPath(exe)));
}

TEST_F(DialogsTest, PatchWritesEachTypedIntegerIntoItsPlace) {
  struct Case {
    int field;
    QString typed;
    std::int32_t written;
  };
  for (const Case& c : {Case{1, "-1", -1}, Case{0, " 42 ", 42}, Case{3, "+7", 7}, Case{2, "2147483647", 2147483647},
                        Case{3, "-2147483648", std::numeric_limits<std::int32_t>::min()}}) {
    SCOPED_TRACE(c.typed.toStdString());
    Build(SampleExeRecipe(1));
    program.OverridePatchLevel(1);
    RunRcr([&](QDialog& dialog) {
      SetText(dialog, kRcrFields.at(static_cast<std::size_t>(c.field)), c.typed);
      Click(dialog, kPatch);
    });
    EXPECT_EQ(test::ReadBytes(exe), OriginalWith(RcrBlockOffset(1) + 4 * c.field, c.written));
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DialogsTest, TextThatIsNoIntegerIsRefusedOnItsField) {
  Build(SampleExeRecipe(0));
  program.OverridePatchLevel(0);
  for (const QString typed :
       {"", " ", "-", "+", "abc", "1.5", "12a", "1 2", "2147483648", "-2147483649", "+-3", "0x10"}) {
    SCOPED_TRACE(typed.toStdString());
    messages.shown.clear();
    RunRcr([&](QDialog& dialog) {
      SetText(dialog, "edit1000", "1");  // valid, and taken first: still not written
      ExpectRefused(dialog, "edit1002", typed, kPatch);
    });
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kNotAnInteger});
    EXPECT_EQ(test::ReadBytes(exe), original);
  }
}

TEST_F(DialogsTest, EnterClosesRcrDistancesWithoutWriting) {
  Build(SampleExeRecipe(0));
  program.OverridePatchLevel(0);
  EXPECT_EQ(RunRcr([&](QDialog& dialog) {
              auto* field = Find<QLineEdit>(dialog, "edit1001");
              ASSERT_TRUE(field);
              field->setText("5");
              QTest::keyClick(field, Qt::Key_Return);
            }),
            QDialog::Accepted);
  EXPECT_EQ(test::ReadBytes(exe), original);
}

TEST_F(DialogsTest, MissingExecutableShowsZerosAndKeepsTheDialogOpenOnPatch) {
  RunRcr([&](QDialog& dialog) {
    EXPECT_EQ(messages.shown, std::vector<Message>{Missing()});
    EXPECT_EQ(ShownDistances(dialog), std::vector<QString>(4, "0"));
    Click(dialog, kPatch);
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, kCancel);
  });
  EXPECT_EQ(messages.shown, std::vector<Message>(2, Missing()));
  EXPECT_FALSE(std::filesystem::exists(exe));
}

TEST_F(DialogsTest, AnExecutableThatCannotBeWrittenKeepsTheDialogOpenOnPatch) {
  RunExecutableInPlaceOfTheGame();
  RunRcr([&](QDialog& dialog) {
    EXPECT_TRUE(messages.shown.empty());
    Click(dialog, kPatch);
    EXPECT_TRUE(dialog.isVisible());
    Click(dialog, kCancel);
  });
  EXPECT_EQ(messages.shown, std::vector<Message>{Missing()});
  EXPECT_EQ(test::ReadBytes(exe), original);
}

TEST_F(DialogsTest, ABlockPastTheEndShowsZerosAndPatchWritesNothing) {
  ExeRecipe recipe = SampleExeRecipe(0);
  recipe.size = static_cast<std::uint64_t>(RcrBlockOffset(0)) + 6;  // the first value and half the second
  Build(recipe);
  program.OverridePatchLevel(0);
  EXPECT_EQ(RunRcr([&](QDialog& dialog) {
              EXPECT_EQ(ShownDistances(dialog), (std::vector<QString>{"3840", "0", "0", "0"}));
              Click(dialog, kPatch);
            }),
            QDialog::Accepted);
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Failed to find RCR Distance Data"});
  EXPECT_EQ(test::ReadBytes(exe), original);
}

TEST_F(DialogsTest, TriggerButtonsShowTheirValueAndOkWritesIt) {
  struct Case {
    const char* button;
    QString shown;
    const char* closer;
    std::int32_t written;
  };
  for (const Case& c : {Case{"button1021", "0", kOk, 0}, Case{"button1022", "10000", kOk, 10000},
                        Case{"button1020", "3200", kCancel, 1234}}) {
    SCOPED_TRACE(c.button);
    ExeRecipe recipe = SampleExeRecipe(1);
    recipe.triggerDistance = 1234;
    Build(recipe);
    EXPECT_TRUE(RunTrigger([&](QDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), "Distance to RCR image trigger");
      EXPECT_EQ(Text(dialog, "edit1000"), "1234");
      Click(dialog, c.button);
      EXPECT_EQ(Text(dialog, "edit1000"), c.shown);
      EXPECT_TRUE(dialog.isVisible());
      Click(dialog, c.closer);
    }));
    EXPECT_EQ(test::ReadBytes(exe), OriginalWith(kTriggerOffset, c.written));
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DialogsTest, TriggerRefusesTextThatIsNoInteger) {
  Build(SampleExeRecipe(0));
  EXPECT_TRUE(RunTrigger([&](QDialog& dialog) { ExpectRefused(dialog, "edit1000", "far", kOk); }));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{kNotAnInteger});
  EXPECT_EQ(test::ReadBytes(exe), original);
}

TEST_F(DialogsTest, TriggerOfAnExecutableThatCannotBeWrittenShowsNoDialog) {
  RunExecutableInPlaceOfTheGame();
  EXPECT_FALSE(RunTrigger([](QDialog& dialog) { dialog.reject(); }));
  std::filesystem::remove(exe);
  EXPECT_FALSE(RunTrigger([](QDialog& dialog) { dialog.reject(); }));
  EXPECT_EQ(messages.shown, std::vector<Message>(2, Missing()));
}

TEST_F(DialogsTest, TriggerPastTheEndShowsZeroAndWritesNothing) {
  ExeRecipe recipe = SampleExeRecipe(0);
  recipe.size = static_cast<std::uint64_t>(kTriggerOffset) + 3;
  Build(recipe);
  EXPECT_TRUE(RunTrigger([&](QDialog& dialog) {
    EXPECT_EQ(Text(dialog, "edit1000"), "0");
    Click(dialog, "button1022");
    Click(dialog, kOk);
  }));
  EXPECT_EQ(messages.texts(), std::vector<std::string>{"Failed to find RCR Trigger Data"});
  EXPECT_EQ(test::ReadBytes(exe), original);
}

TEST(QtFileFilterTest, NamesKeptPatternsAddedAndAllFilesShowFilesWithoutAnExtension) {
  EXPECT_EQ(QtFileFilter("Zav Car Files (*.cs3)|*.cs3|All Files (*.*)|*.*|"), "Zav Car Files (*.cs3);;All Files (*)");
  EXPECT_EQ(QtFileFilter("Zav Helmet Files (*.ch3)|*.ch3|All Files(*.*)|*.*|"),
            "Zav Helmet Files (*.ch3);;All Files(*)");
  EXPECT_EQ(QtFileFilter("Pictures|*.png;*.bmp|"), "Pictures (*.png *.bmp)");
}

// Open starts with an empty name, Save with the kind's; each kind opens where it was last used.
TEST(QtFileChooserTest, OpenStartsEmptyAndEachKindRemembersItsFolder) {
  // The toolkit's own dialog, whatever the desktop offers, so the test can work it.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, true);
  ScratchFolder dir;
  const std::filesystem::path folder = dir / "cars";
  std::filesystem::create_directories(folder);
  test::WriteBytes(folder / "mine", {1});  // no extension: "All Files" shows it
  MemorySettings settings;
  QtFileChooser chooser(settings);
  const auto nameField = [](QDialog& dialog) { return dialog.findChild<QLineEdit*>("fileNameEdit")->text(); };
  std::optional<std::filesystem::path> chosen;
  ASSERT_TRUE(test::AnswerDialog([&] { chosen = chooser.Choose(FileAction::Open, kCarFileKind); },
                                 [&](QDialog& dialog) {
                                   auto& files = static_cast<QFileDialog&>(dialog);
                                   EXPECT_EQ(nameField(dialog), "");
                                   EXPECT_TRUE(files.nameFilters().contains("All Files (*)"));
                                   files.setDirectory(QString::fromStdString(folder.string()));
                                   files.selectNameFilter("All Files (*)");
                                   files.selectFile(QString::fromStdString((folder / "mine").string()));
                                   dialog.accept();
                                 }));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(std::filesystem::canonical(*chosen), std::filesystem::canonical(folder / "mine"));

  // Another kind keeps its own folder.
  const std::filesystem::path cameras = dir / "cameras";
  std::filesystem::create_directories(cameras);
  test::WriteBytes(cameras / "in.cam", {1});
  ASSERT_TRUE(test::AnswerDialog([&] { chosen = chooser.Choose(FileAction::Open, kCameraFileKind); },
                                 [&](QDialog& dialog) {
                                   static_cast<QFileDialog&>(dialog).selectFile(
                                       QString::fromStdString((cameras / "in.cam").string()));
                                   dialog.accept();
                                 }));
  ASSERT_TRUE(chosen.has_value());

  ASSERT_TRUE(test::AnswerDialog([&] { chosen = chooser.Choose(FileAction::Save, kCarFileKind); },
                                 [&](QDialog& dialog) {
                                   auto& files = static_cast<QFileDialog&>(dialog);
                                   EXPECT_EQ(std::filesystem::canonical(files.directory().absolutePath().toStdString()),
                                             std::filesystem::canonical(folder));
                                   EXPECT_EQ(nameField(dialog), "unnamed.cs3");
                                   dialog.reject();
                                 }));
  EXPECT_FALSE(chosen.has_value());
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
}

}  // namespace
}  // namespace tavrel
