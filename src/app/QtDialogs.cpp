#include "app/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/QtSettings.h"

namespace tavrel {

void QtMessages::show(const std::string& text, Icon icon) {
  const QString message = QString::fromStdString(text);
  if (icon == Icon::Stop)
    QMessageBox::critical(m_Parent, kApplicationName, message);
  else
    QMessageBox::information(m_Parent, kApplicationName, message);
}

bool QtMessages::ask(const std::string& text, Answer byDefault) {
  return QMessageBox::question(m_Parent, kApplicationName, QString::fromStdString(text),
                               QMessageBox::Yes | QMessageBox::No,
                               byDefault == Answer::Yes ? QMessageBox::Yes : QMessageBox::No) == QMessageBox::Yes;
}

Choice QtMessages::choose(const std::string& text) {
  switch (QMessageBox::question(m_Parent, kApplicationName, QString::fromStdString(text),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes: return Choice::Yes;
    case QMessageBox::No: return Choice::No;
    default: return Choice::Cancel;
  }
}

QString QtFileFilter(std::string_view filter) {
  const QStringList fields = QString::fromUtf8(filter.data(), qsizetype(filter.size())).split('|', Qt::SkipEmptyParts);
  QStringList entries;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    const QString& name = fields[i];
    const QString patterns = QString(fields[i + 1]).replace(';', ' ');
    entries << (name.contains('(' + patterns + ')') ? name : name + " (" + patterns + ')');
  }
  return entries.join(";;");
}

std::optional<std::filesystem::path> QtFileChooser::Choose(FileAction action, const FileDialogKind& kind) {
  QFileDialog dialog(m_Parent);
  const bool saving = action == FileAction::Save;
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setNameFilter(QtFileFilter(kind.filter));
  dialog.setDefaultSuffix(QString::fromUtf8(kind.extension.data(), qsizetype(kind.extension.size())));
  dialog.selectFile(QString::fromUtf8(kind.defaultName.data(), qsizetype(kind.defaultName.size())));
  // QFileDialog asks before overwriting by default; saying so keeps it that way.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

}  // namespace tavrel
