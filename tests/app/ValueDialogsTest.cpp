// The value editors, the animation delay and the car texture dialog, each
// answered from a timer as a player would answer it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "AppFixture.h"
#include "ModalDialog.h"
#include "app/CarTree.h"
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/ValueDialogs.h"
#include "document/Document.h"
#include "shape/Camera.h"
#include "support/TestSupport.h"
#include "view/CarView.h"

namespace tavrel::test {
namespace {

constexpr const char* kNotAnInteger = "Please enter an integer.";
constexpr const char* kNotPositive = "Please enter a positive integer.";
constexpr const char* kOutOfRange = "Please enter an integer between 0 and 65535.";

// Every label the dialog shows, in no particular order.
QStringList Labels(QDialog& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
  texts.sort();
  return texts;
}

void ExpectStillOpenOn(QDialog& dialog, const char* field) {
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.focusWidget(), Find<QLineEdit>(dialog, field));
}

class ValueDialogsTest : public AppFixture {
 protected:
  bool RunPoint(
      PointValues& values, const std::function<void(QDialog&)>& answer,
      const std::function<void()>& viewCenter = [] {}) {
    bool confirmed = false;
    EXPECT_TRUE(AnswerDialog([&] { confirmed = RunPointEditor(nullptr, values, viewCenter, messages); },
                             [&](QDialog& dialog) {
                               EXPECT_EQ(dialog.windowTitle(), "Point Values Editor");
                               answer(dialog);
                             }));
    return confirmed;
  }
};

TEST_F(ValueDialogsTest, PointArrowsStepEachFieldWithinTheirRange) {
  enum Action { ClickUp, ClickDown, KeyUp, KeyDown };
  struct Step {
    const char* arrows;
    const char* field;
    Action action;
    const char* shown;
  };
  PointValues values{5, -32760, 32760};
  EXPECT_TRUE(RunPoint(values, [](QDialog& dialog) {
    for (const Step& step :
         {Step{"spin1021", "edit1000", ClickUp, "6"}, Step{"spin1021", "edit1000", KeyDown, "5"},
          Step{"spin1022", "edit1001", ClickDown, "-32760"}, Step{"spin1022", "edit1001", KeyUp, "-32759"},
          Step{"spin1023", "edit1002", ClickUp, "32760"}, Step{"spin1023", "edit1002", ClickDown, "32759"},
          Step{"spin1023", "edit1002", KeyDown, "32758"}}) {
      SCOPED_TRACE(std::string(step.arrows) + " " + std::to_string(step.action));
      auto* arrows = Find<QWidget>(dialog, step.arrows);
      auto* field = Find<QLineEdit>(dialog, step.field);
      ASSERT_TRUE(arrows && field);
      if (step.action == ClickUp || step.action == ClickDown) {
        auto* arrow = arrows->findChild<QToolButton*>(step.action == ClickUp ? "up" : "down");
        ASSERT_TRUE(arrow);
        arrow->click();
      } else {
        QTest::keyClick(field, step.action == KeyUp ? Qt::Key_Up : Qt::Key_Down);
      }
      EXPECT_EQ(field->text(), step.shown);
    }
    // The range holds for the arrows only.
    SetText(dialog, "edit1000", "40000");
    Click(dialog, kOk);
  }));
  EXPECT_EQ(values.x, 40000);
  EXPECT_EQ(values.y, -32759);
  EXPECT_EQ(values.z, 32758);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ValueDialogsTest, ViewCenterLeavesTheDialogOpenAndTheValuesAsOpened) {
  PointValues values{1, 2, 3};
  int centred = 0;
  const bool confirmed = RunPoint(
      values,
      [&](QDialog& dialog) {
        SetText(dialog, "edit1000", "99");
        Click(dialog, "button1024");
        EXPECT_EQ(centred, 1);
        EXPECT_TRUE(dialog.isVisible());
        Click(dialog, kCancel);
      },
      [&] {
        ++centred;
        // The caller centres on these: the typed 99 is not taken.
        EXPECT_EQ(values.x, 1);
      });
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(centred, 1);
  EXPECT_EQ(values.x, 1);
}

// Each element editor refuses a field without a number on that field, keeps
// every value, and Cancel then changes nothing.
TEST_F(ValueDialogsTest, EditorsRefuseAFieldWithoutANumber) {
  PointValues point{1, 2, 3};
  CameraFields camera{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  int dataValue = 7;
  struct Case {
    const char* title;
    std::function<bool()> run;
    const char* field;
    const char* typed;
  };
  const std::vector<Case> cases{
      {"Point Values Editor",
       [&] {
         return RunPointEditor(
             nullptr, point, [] {}, messages);
       },
       "edit1001", "12a"},
      {"In Car Camera Editor", [&] { return RunCameraEditor(nullptr, camera, messages); }, "edit1026", "x"},
      {"New Data Value", [&] { return RunDataValueEditor(nullptr, dataValue, messages); }, "edit1000", ""},
      {"New Data Value", [&] { return RunDataValueEditor(nullptr, dataValue, messages); }, "edit1000", "3000000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    messages.shown.clear();
    bool confirmed = true;
    EXPECT_TRUE(AnswerDialog([&] { confirmed = c.run(); },
                             [&](QDialog& dialog) {
                               EXPECT_EQ(dialog.windowTitle(), c.title);
                               SetText(dialog, "edit1000", "55");
                               SetText(dialog, c.field, c.typed);
                               Click(dialog, kOk);
                               ExpectStillOpenOn(dialog, c.field);
                               Click(dialog, kCancel);
                             }));
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{kNotAnInteger});
  }
  EXPECT_EQ(point.x, 1);
  EXPECT_EQ(camera.x, 1);
  EXPECT_EQ(dataValue, 7);
}

// The tree's editors refuse a value through the program's message sink.
TEST_F(ValueDialogsTest, TheTreesEditorsRefuseThroughTheProgramsMessages) {
  MemorySettings stored;
  QMainWindow window;
  CarTree tree(stored, messages, window);
  int value = 7;
  bool confirmed = true;
  EXPECT_TRUE(AnswerDialog([&] { confirmed = tree.EditDataValue(value); },
                           [](QDialog& dialog) {
                             SetText(dialog, "edit1000", "abc");
                             Click(dialog, kOk);
                             ExpectStillOpenOn(dialog, "edit1000");
                             Click(dialog, kCancel);
                           }));
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(value, 7);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kNotAnInteger);
}

TEST_F(ValueDialogsTest, DataValueEditorTakesTheTypedNumber) {
  int value = 7;
  bool confirmed = false;
  EXPECT_TRUE(AnswerDialog([&] { confirmed = RunDataValueEditor(nullptr, value, messages); },
                           [](QDialog& dialog) {
                             EXPECT_EQ(Labels(dialog), QStringList{"New Value:"});
                             EXPECT_EQ(Text(dialog, "edit1000"), "7");
                             SetText(dialog, "edit1000", "-70000");
                             Click(dialog, kOk);
                           }));
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(value, -70000);
}

TEST_F(ValueDialogsTest, CameraEditorStoresLowSixteenBitsAndWholeDegrees) {
  Camera camera;
  camera.SetRecord({.X = 10,
                    .Z = 30,
                    .Y = 20,
                    .Direction = 1000,
                    .Pitch = -364,
                    .Roll = 0,
                    .Detail1 = 1,
                    .Detail2 = 2,
                    .RearWheel = 256,
                    .FrontWheel = 1});
  CameraFields fields = camera.Fields();
  EXPECT_TRUE(AnswerDialog([&] { ASSERT_TRUE(RunCameraEditor(nullptr, fields, messages)); },
                           [](QDialog& dialog) {
                             EXPECT_EQ(dialog.windowTitle(), "In Car Camera Editor");
                             QStringList labels{"X:",
                                                "Y:",
                                                "Z:",
                                                "Direction:",
                                                "Pitch:",
                                                "Roll:",
                                                "Detail1:",
                                                "Detail2",
                                                "Rear Wheel (Sprite/Polygon)",
                                                "Front Wheel (Sprite/Polygon)",
                                                "(0=both poly 1=left 256=right)"};
                             labels.sort();
                             EXPECT_EQ(Labels(dialog), labels);
                             struct Shown {
                               const char* field;
                               const char* text;
                             };
                             for (const Shown& shown :
                                  {Shown{"edit1000", "10"}, Shown{"edit1001", "20"}, Shown{"edit1002", "30"},
                                   Shown{"edit1003", "5"}, Shown{"edit1004", "-2"}, Shown{"edit1007", "0"},
                                   Shown{"edit1008", "1"}, Shown{"edit1009", "2"}, Shown{"edit1025", "256"},
                                   Shown{"edit1026", "1"}})
                               EXPECT_EQ(Text(dialog, shown.field), shown.text) << shown.field;
                             SetText(dialog, "edit1000", "70000");
                             SetText(dialog, "edit1007", "360");
                             Click(dialog, kOk);
                           }));
  camera.SetFields(fields);
  const CameraRecord& stored = camera.m_Record;
  EXPECT_EQ(stored.X, 4464);  // 70000 - 65536
  EXPECT_EQ(stored.Y, 20);
  EXPECT_EQ(stored.Z, 30);
  EXPECT_EQ(stored.Direction, 1000);  // shown as 5 degrees and left so: the raw value stays
  EXPECT_EQ(stored.Pitch, -364);      // a multiple of 182 stays
  EXPECT_EQ(stored.Roll, -16);        // 360 x 182 = 65520
  EXPECT_EQ(stored.RearWheel, 256);
  EXPECT_EQ(camera.m_DirectionDeg, 5);
  EXPECT_EQ(camera.m_RollDeg, 0);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ValueDialogsTest, AnimationDelayTakesAnIntegerFromZeroTo65535) {
  StartOnDemo();
  ProgramValues& program = app->Program();
  const unsigned before = program.m_AnimationDelay;
  EXPECT_TRUE(AnswerDialog([&] { Trigger(command::kSetAnimationDelay); },
                           [&](QDialog& dialog) {
                             EXPECT_EQ(dialog.windowTitle(), "Animation Delay Speed");
                             EXPECT_EQ(Labels(dialog), QStringList{"Animation Frame Delay"});
                             EXPECT_EQ(Text(dialog, "edit1000"), QString::number(before));
                             for (const char* refused : {"65536", "-1", "abc", "99999999999"}) {
                               SetText(dialog, "edit1000", refused);
                               Click(dialog, kOk);
                               ExpectStillOpenOn(dialog, "edit1000");
                             }
                             Click(dialog, kCancel);
                           }));
  EXPECT_EQ(program.m_AnimationDelay, before);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kOutOfRange, kNotPositive, kNotPositive, kOutOfRange}));

  for (const char* accepted : {"65535", " 0 "}) {
    EXPECT_TRUE(AnswerDialog([&] { Trigger(command::kSetAnimationDelay); },
                             [&](QDialog& dialog) {
                               SetText(dialog, "edit1000", accepted);
                               Click(dialog, kOk);
                             }));
    EXPECT_EQ(program.m_AnimationDelay, QString(accepted).trimmed().toUInt());
  }
  EXPECT_EQ(messages.shown.size(), 4u);
}

QStringList Entries(const QComboBox& combo) {
  QStringList entries;
  for (int i = 0; i < combo.count(); ++i) entries << combo.itemText(i);
  return entries;
}

TEST_F(ValueDialogsTest, CarJamDialogOffersTheLiveriesSortedAndTakesATypedName) {
  const QStringList sorted{"Arrows98.jam", "Benett98.jam", "Ferrar98.jam", "Jordan98.jam",
                           "Mclare98.jam", "Minard98.jam", "Prost98.jam",  "Sauber98.jam",
                           "Stewar98.jam", "Tyrrel98.jam", "Willia98.jam"};
  struct Case {
    const char* typed;  // over the edit field, then Enter; none: OK as it opened
    std::optional<std::string> chosen;
  };
  for (const Case& c : {Case{nullptr, "Jordan98.jam"}, Case{"my livery.JAM", "my livery.JAM"}}) {
    std::optional<std::string> chosen;
    EXPECT_TRUE(AnswerDialog([&] { chosen = ChooseCarJam(nullptr, "Jordan98.jam"); },
                             [&](QDialog& dialog) {
                               EXPECT_EQ(dialog.windowTitle(), "Set Car Texture Jam");
                               EXPECT_EQ(Labels(dialog), QStringList{"Car Jam:"});
                               auto* combo = Find<QComboBox>(dialog, "combo1013");
                               ASSERT_TRUE(combo && combo->isEditable());
                               EXPECT_EQ(Entries(*combo), sorted);
                               EXPECT_EQ(combo->currentText(), "Jordan98.jam");
                               EXPECT_EQ(combo->currentIndex(), sorted.indexOf("Jordan98.jam"));
                               if (!c.typed) return Click(dialog, kOk);
                               combo->lineEdit()->setText(c.typed);
                               QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
                               EXPECT_EQ(Entries(*combo), sorted) << "a typed name joins no list";
                             }));
    EXPECT_EQ(chosen, c.chosen);
  }
  std::optional<std::string> cancelled = "";
  EXPECT_TRUE(AnswerDialog([&] { cancelled = ChooseCarJam(nullptr, "Arrows98.jam"); },
                           [](QDialog& dialog) { Click(dialog, kCancel); }));
  EXPECT_EQ(cancelled, std::nullopt);
}

TEST_F(ValueDialogsTest, SetCarTextureJamGivesTheCarViewItsLivery) {
  StartOnDemo();
  Trigger(command::kImportFromExe);
  CarView* view = app->ActiveView();
  ASSERT_TRUE(view);
  struct Case {
    const char* button;
    const char* kept;
  };
  for (const Case& c : {Case{kCancel, "Mclare98.jam"}, Case{kOk, "Willia98.jam"}}) {
    EXPECT_TRUE(AnswerDialog([&] { Trigger(command::kSetCarTextureJam); },
                             [&](QDialog& dialog) {
                               EXPECT_EQ(dialog.parentWidget(), &app->Window());
                               EXPECT_EQ(Find<QComboBox>(dialog, "combo1013")->currentText(), "Mclare98.jam")
                                   << "opens on the livery the view shows";
                               Find<QComboBox>(dialog, "combo1013")->setCurrentText("Willia98.jam");
                               Click(dialog, c.button);
                             }));
    EXPECT_EQ(view->Flags().m_CarJamName, c.kept);
  }
}

}  // namespace
}  // namespace tavrel::test
