#pragma once
// The document's messages and file choosers as Qt's message boxes and file
// dialogs.

#include <QPointer>
#include <QString>
#include <string_view>

#include "base/Messages.h"
#include "base/Settings.h"
#include "document/FileChooser.h"

class QWidget;

namespace tavrel {

class QtMessages : public Messages {
 public:
  void SetParent(QWidget* parent) { m_Parent = parent; }
  void show(const std::string& text, Icon icon) override;
  using Messages::ask;
  bool ask(const std::string& text, Answer byDefault) override;
  Choice choose(const std::string& text) override;

 private:
  QPointer<QWidget> m_Parent;
};

// "Zav Car Files (*.cs3)|*.cs3|All Files (*.*)|*.*|" -> "Zav Car Files (*.cs3);;All Files (*)": the
// names are kept, a pattern missing from its name is added to it, and "*.*" is
// "*", which also shows files without an extension.
QString QtFileFilter(std::string_view filter);

// Open dialogs start with an empty name, save dialogs with the kind's; each kind
// of file opens in the folder last used for it, kept in the settings.
class QtFileChooser : public FileChooser {
 public:
  explicit QtFileChooser(Settings& settings) : m_Settings(settings) {}
  void SetParent(QWidget* parent) { m_Parent = parent; }
  std::optional<std::filesystem::path> Choose(FileAction action, const FileDialogKind& kind) override;
  // Starts at the desktop.
  std::optional<std::filesystem::path> ChooseFolder(const std::string& title) override;

 private:
  Settings& m_Settings;
  QPointer<QWidget> m_Parent;
};

}  // namespace tavrel
