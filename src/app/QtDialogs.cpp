#include "app/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

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
    case QMessageBox::Yes:
      return Choice::Yes;
    case QMessageBox::No:
      return Choice::No;
    default:
      return Choice::Cancel;
  }
}

QString QtFileFilter(std::string_view filter) {
  const QStringList fields = QString::fromUtf8(filter.data(), qsizetype(filter.size())).split('|', Qt::SkipEmptyParts);
  QStringList entries;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    const QString& name = fields[i];
    const QString patterns = QString(fields[i + 1]).replace(';', ' ').replace("*.*", "*");
    const QString shown = QString(name).replace("(*.*)", "(*)");
    entries << (shown.contains('(' + patterns + ')') ? shown : shown + " (" + patterns + ')');
  }
  return entries.join(";;");
}

namespace {

// The folder last used for each kind of file, by extension.
const std::string kFolderSection = "File Folders";

// The desktop, or the home folder when there is no desktop folder: a browser
// started in a missing folder does not take the folder then chosen.
QUrl StartFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return QUrl::fromLocalFile(QDir(desktop).exists() ? desktop : QDir::homePath());
}

}  // namespace

std::optional<std::filesystem::path> QtFileChooser::Choose(FileAction action, const FileDialogKind& kind) {
  QFileDialog dialog(m_Parent);
  const bool saving = action == FileAction::Save;
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setNameFilter(QtFileFilter(kind.filter));
  const std::string extension(kind.extension);
  // Only a saved name gets the extension: opening "mine" must not look for "mine.cs3".
  if (saving) dialog.setDefaultSuffix(QString::fromStdString(extension));
  const std::string folder = m_Settings.ReadString(kFolderSection, extension, "");
  if (!folder.empty()) dialog.setDirectory(QString::fromStdString(folder));
  if (saving) dialog.selectFile(QString::fromUtf8(kind.defaultName.data(), qsizetype(kind.defaultName.size())));
  // QFileDialog asks before overwriting by default; saying so keeps it that way.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const std::filesystem::path chosen(dialog.selectedFiles().front().toStdString());
  m_Settings.WriteString(kFolderSection, extension, chosen.parent_path().string());
  return chosen;
}

std::optional<std::filesystem::path> QtFileChooser::ChooseFolder(const std::string& title) {
  const QUrl chosen = QFileDialog::getExistingDirectoryUrl(m_Parent, QString::fromStdString(title), StartFolder(),
                                                           QFileDialog::ShowDirsOnly, {QStringLiteral("file")});
  if (chosen.isEmpty()) return std::nullopt;
  if (!chosen.isLocalFile()) return std::filesystem::path();
  return std::filesystem::path(QDir::toNativeSeparators(chosen.toLocalFile()).toStdString());
}

}  // namespace tavrel
