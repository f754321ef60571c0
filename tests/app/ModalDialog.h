#pragma once
// Answering a modal dialog as a player would: a timer finds it once it is up
// and the test works its controls, found by their names.

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <functional>

namespace tavrel::test {

inline constexpr const char* kOk = "button1";
inline constexpr const char* kCancel = "button2";

// Runs `run`; when it opens a modal dialog, `answer` is given that dialog and
// must close it. Gives whether a dialog was shown.
bool AnswerDialog(const std::function<void()>& run, const std::function<void(QDialog&)>& answer);

template <typename Control>
Control* Find(QDialog& dialog, const char* name) {
  auto* control = dialog.findChild<Control*>(QString::fromLatin1(name));
  if (!control) ADD_FAILURE() << "no " << name << " in " << dialog.windowTitle().toStdString();
  return control;
}

void Click(QDialog& dialog, const char* button);
// The text of the line edit `edit`, and typing a text over it.
QString Text(QDialog& dialog, const char* edit);
void SetText(QDialog& dialog, const char* edit, const QString& text);

}  // namespace tavrel::test
