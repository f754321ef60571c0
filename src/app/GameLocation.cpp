#include "app/GameLocation.h"

#include <QFileDialog>
#include <QStandardPaths>
#include <QUrl>

#include "base/Messages.h"
#include "document/ProgramValues.h"

namespace tavrel {
namespace {

// The desktop, or the home folder when there is no desktop folder: a browser
// started in a missing folder does not take the folder then chosen.
QUrl startFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  return QUrl::fromLocalFile(QDir(desktop).exists() ? desktop : QDir::homePath());
}

}  // namespace

void EditGameLocation(QWidget* parent, ProgramValues& program, Messages& messages) {
  const QUrl chosen = QFileDialog::getExistingDirectoryUrl(parent, QStringLiteral("Select Zav Location"), startFolder(),
                                                           QFileDialog::ShowDirsOnly, {QStringLiteral("file")});
  if (chosen.isEmpty()) {
    messages.show("Failed to find Zav directory");
    return;
  }
  if (!chosen.isLocalFile()) {
    messages.show("Failed to Locate Zav directory");
    return;
  }
  program.SetGameLocation(QDir::toNativeSeparators(chosen.toLocalFile()).toStdString());
}

}  // namespace tavrel
