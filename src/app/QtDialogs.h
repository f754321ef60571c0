#pragma once
// The document's messages and file choosers as Qt's message boxes and file
// dialogs.

#include <QPointer>
#include <QString>
#include <string_view>

#include "base/Messages.h"
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

// "Zav Car Files (*.cs3)|*.cs3|All Files (*.*)|*.*|" -> "Zav Car Files (*.cs3);;All Files (*.*)": the
// names are kept, a pattern missing from its name is added to it.
QString QtFileFilter(std::string_view filter);

class QtFileChooser : public FileChooser {
 public:
  void SetParent(QWidget* parent) { m_Parent = parent; }
  std::optional<std::filesystem::path> Choose(FileAction action, const FileDialogKind& kind) override;

 private:
  QPointer<QWidget> m_Parent;
};

}  // namespace tavrel
