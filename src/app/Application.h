#pragma once
// The application: the documents and their windows, the main window, the
// program-wide values and the commands that belong to no document. Messages
// and file choosers come from outside, so tests answer them without a modal
// loop.

#include <QObject>
#include <QPrinter>
#include <QString>
#include <filesystem>
#include <list>
#include <memory>
#include <optional>
#include <string>

#include "app/CommandTable.h"
#include "app/CommandTarget.h"
#include "document/OpenDocuments.h"
#include "document/ProgramValues.h"

class QMdiSubWindow;

namespace tavrel {

class Actions;
class Document;
class FileChooser;
class MainWindow;
class Messages;
class Settings;
class CarView;

// What the command line asks for.
struct StartOptions {
  QString file;
  std::optional<std::string> gameDirectory;  // for this run only
  std::optional<int> patchLevel;             // for this run only: nothing is asked or stored
  bool importFromExe = false;
  // Where documents keep their unsaved changes against a crash; none when empty.
  std::filesystem::path recoveryFolder;
};

class Application : public QObject, public CommandTarget {
  Q_OBJECT
 public:
  Application(Settings& settings, Messages& messages, FileChooser& chooser, PatchLevelQuestion& patchLevel);
  ~Application() override;

  // Opens a file named on the command line, shows the main window, then, once
  // it is up, reads the patch level (asking on the first start) and runs
  // "Import From Exe..." when asked to. A file that cannot be opened has said
  // why; the main window opens empty.
  void Start(const StartOptions& options);

  MainWindow& Window() { return *m_Window; }
  Actions& GetActions() { return *m_Actions; }
  ProgramValues& Program() { return m_Program; }
  QPrinter& Printer() { return m_Printer; }

  // "Import From Exe...": a window opens whatever the import gave.
  void ImportFromExe();
  // Opens a shape file in a new window, or activates the window that has it.
  bool OpenFile(const QString& path);
  std::size_t DocumentCount() const { return m_Documents.size(); }
  std::vector<Document*> Documents() const;
  // The document of the active window, or null.
  Document* ActiveDocument();
  // The car view of the active window, or null.
  CarView* ActiveView();

 signals:
  void PatchLevelRead();

 private:
  struct OpenDocument;
  enum class ViewKind { Car, Jam };

  CommandTarget* Resolve(Route route);
  OpenDocument* EntryOf(const QMdiSubWindow* window);
  OpenDocument& AddDocument();
  // The document and its items go (its windows are gone or never came).
  void RemoveDocument(std::list<std::unique_ptr<OpenDocument>>::iterator entry);
  void AddDocumentCommands(OpenDocument& entry);
  // Null when the view cannot be made; a document left without windows goes.
  QMdiSubWindow* OpenWindow(OpenDocument& entry, ViewKind kind = ViewKind::Car);
  // Null, after saying so, when a car view cannot have its GL context.
  QWidget* MakeView(OpenDocument& entry, ViewKind kind);
  void WindowGone(const QMdiSubWindow* window);
  void Retitle(OpenDocument& entry);
  bool MayClose(OpenDocument& entry);
  // Offers the unsaved changes a program that died left behind, once each.
  void RecoverOrphans();
  bool eventFilter(QObject* watched, QEvent* event) override;
  void WindowActivated();
  void ChooseAndOpen();
  void LaunchGame();
  void ShowAbout();

  Settings& m_Settings;
  Messages& m_Messages;
  FileChooser& m_Chooser;
  PatchLevelQuestion& m_PatchLevel;
  ProgramValues m_Program;
  QPrinter m_Printer;
  RecentFiles m_RecentFiles;
  UntitledNames m_UntitledNames;
  // Declared before the window: closing the windows at exit still finds them.
  std::list<std::unique_ptr<OpenDocument>> m_Documents;
  std::unique_ptr<MainWindow> m_Window;
  Actions* m_Actions;
};

}  // namespace tavrel
