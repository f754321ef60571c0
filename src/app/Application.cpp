#include "app/Application.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>

#include "app/Actions.h"
#include "app/CarChildView.h"
#include "app/CarTree.h"
#include "app/CarTreeModel.h"
#include "app/CommandTable.h"
#include "app/JamChildView.h"
#include "app/MainWindow.h"
#include "app/PngEncoding.h"
#include "app/TriggerDistanceDialog.h"
#include "app/ValueDialogs.h"
#include "base/Files.h"
#include "base/Settings.h"
#include "document/Document.h"
#include "document/FileChooser.h"
#include "document/RecoveryFile.h"
#include "shape/ShapeFile.h"
#include "view/GlSupport.h"

static void InitResources() { Q_INIT_RESOURCE(tavrel); }

namespace tavrel {
namespace {

QString CanonicalPath(const QString& path) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

// One document with its windows and the commands it handles.
struct Application::OpenDocument : CommandTarget {
  std::unique_ptr<Document> document;
  std::vector<QMdiSubWindow*> windows;
  bool closing = false;  // the player has answered for its changes: its windows close without a question
  Signal<>::Connection stateChanged;
};

Application::Application(Settings& settings, Messages& messages, FileChooser& chooser, PatchLevelQuestion& patchLevel)
    : m_Settings(settings),
      m_Messages(messages),
      m_Chooser(chooser),
      m_PatchLevel(patchLevel),
      m_Program(settings),
      m_RecentFiles(settings),
      m_Window(std::make_unique<MainWindow>(settings, messages)),
      m_Actions(new Actions(*m_Window, [this](Route route) { return Resolve(route); })) {
  InitResources();
  m_Window->setWindowIcon(QIcon(":/icons/tavrel.svg"));
  m_Window->setWindowTitle(Text(MainWindowTitle(nullptr)));
  m_Window->AddToolbars(*m_Actions);
  // Leaving the program asks about every document with unsaved changes.
  m_Window->installEventFilter(this);
  connect(&m_Window->MdiArea(), &QMdiArea::subWindowActivated, this, &Application::WindowActivated);
  // A recent file that is gone leaves the list once the player has been told.
  connect(m_Actions, &Actions::RecentFileChosen, this, [this](const QString& path) {
    if (OpenFile(path) || QFileInfo::exists(path)) return;
    m_RecentFiles.Remove(path.toStdString());
    m_Actions->SetRecentFiles(m_RecentFiles.Paths());
  });

  using namespace command;
  Handle(kNew, [] {});  // no kind of document offers a new file: New opens nothing
  Handle(kOpen, [this] { ChooseAndOpen(); });
  Handle(kImportFromExe, [this] { ImportFromExe(); });
  Handle(kEditLocation, [this] { m_Program.EditGameLocation(m_Chooser, m_Messages); });
  Handle(kEditPatchLevel, [this] { m_Program.EditPatchLevel(m_PatchLevel); });
  Handle(kTriggerDistance, [this] { RunTriggerDistance(m_Window.get(), m_Program, m_Messages); });
  Handle(kSetAnimationDelay, [this] { RunAnimationDelay(m_Window.get(), m_Program.m_AnimationDelay, m_Messages); });
  Handle(kLaunchZav, [this] { LaunchGame(); });
  Handle(
      kUseInternalJams, [this] { m_Program.m_UseInternalJams = !m_Program.m_UseInternalJams; },
      [this] { return m_Program.m_UseInternalJams; });
  Handle(kPrintSetup, [this] { QPageSetupDialog(&m_Printer, m_Window.get()).exec(); });
  Handle(kAbout, [this] { ShowAbout(); });
  Handle(kExit, [this] { m_Window->close(); });

  m_Actions->SetRecentFiles(m_RecentFiles.Paths());
  WindowActivated();
}

Application::~Application() {
  // The windows go first, telling nobody: no document is left to update, and
  // the main window is no longer there to retitle.
  disconnect(&m_Window->MdiArea(), nullptr, this, nullptr);
  for (const auto& entry : m_Documents) m_Window->Tree().Model().RemoveDocument(*entry->document);
  m_Documents.clear();
  m_Window.reset();
}

void Application::Start(const StartOptions& options) {
  if (options.gameDirectory) m_Program.OverrideGameLocation(*options.gameDirectory);
  if (options.patchLevel) m_Program.OverridePatchLevel(*options.patchLevel);
  m_Program.m_RecoveryFolder = options.recoveryFolder;
  if (!options.file.isEmpty()) OpenFile(options.file);
  m_Window->show();
  // Queued, so the main window is painted before the patch level is asked for.
  QTimer::singleShot(0, this, [this, importFromExe = options.importFromExe] {
    m_Program.ReadPatchLevel(m_PatchLevel);
    RecoverOrphans();
    emit PatchLevelRead();
    if (importFromExe) ImportFromExe();
  });
}

CommandTarget* Application::Resolve(Route route) {
  switch (route) {
    case Route::View: {
      // Whatever kind of view the active window shows handles its own commands.
      QMdiSubWindow* window = m_Window->MdiArea().currentSubWindow();
      return window ? dynamic_cast<CommandTarget*>(window->widget()) : nullptr;
    }
    case Route::Document:
      return EntryOf(m_Window->MdiArea().currentSubWindow());
    case Route::MainFrame:
      return m_Window.get();
    case Route::Application:
      return this;
  }
  return nullptr;
}

std::vector<Document*> Application::Documents() const {
  std::vector<Document*> documents;
  for (const auto& entry : m_Documents) documents.push_back(entry->document.get());
  return documents;
}

Application::OpenDocument* Application::EntryOf(const QMdiSubWindow* window) {
  if (!window) return nullptr;
  for (auto& entry : m_Documents)
    if (std::ranges::find(entry->windows, window) != entry->windows.end()) return entry.get();
  return nullptr;
}

Document* Application::ActiveDocument() {
  OpenDocument* entry = EntryOf(m_Window->MdiArea().currentSubWindow());
  return entry ? entry->document.get() : nullptr;
}

CarView* Application::ActiveView() {
  QMdiSubWindow* window = m_Window->MdiArea().currentSubWindow();
  return window ? qobject_cast<CarView*>(window->widget()) : nullptr;
}

Application::OpenDocument& Application::AddDocument() {
  auto entry = std::make_unique<OpenDocument>();
  entry->document = std::make_unique<Document>(m_Program, m_Messages, m_Chooser);
  AddDocumentCommands(*entry);
  m_Window->Tree().Model().AddDocument(*entry->document);
  m_Documents.push_back(std::move(entry));
  return *m_Documents.back();
}

void Application::AddDocumentCommands(OpenDocument& entry) {
  using namespace command;
  Document& document = *entry.document;
  const auto saved = [this](const std::optional<std::filesystem::path>& path) {
    if (!path) return;
    m_Window->SetStatusText(
        QString("Saved to %1").arg(QDir::toNativeSeparators(QString::fromStdString(path->string()))));
  };
  entry.Handle(kSave, [&document, saved] { saved(document.Save()); });
  entry.Handle(kSaveAs, [&document, saved] { saved(document.SaveAs()); });
  entry.HandleChanging(
      kUndo, [&document] { document.Undo(); }, [&document] { return document.CanUndo(); },
      [&document] { return document.CanUndo() ? "&Undo " + document.UndoName() : std::string("&Undo"); });
  entry.HandleChanging(
      kRedo, [&document] { document.Redo(); }, [&document] { return document.CanRedo(); },
      [&document] { return document.CanRedo() ? "&Redo " + document.RedoName() : std::string("&Redo"); });
  entry.Handle(kExportToExe, [&document] { document.ExportToExe(); });
  entry.Handle(kExportCameras, [&document] { document.ExportCameras(); });
  entry.Handle(kImportCameras, [&document] { document.ImportCameras(); });
  entry.Handle(kExportCtf, [&document] { document.ExportCtf(); });
  entry.Handle(kImportCtf, [&document] { document.ImportCtf(); });
  entry.Handle(kExportObj, [&document] { document.ExportObj(); });
  entry.Handle(kImportObjPoints, [&document] { document.ImportObjPoints(); });
  // In the livery the active car view shows.
  entry.Handle(kExportGltf, [this, &document] {
    CarView* view = ActiveView();
    document.ExportGltf(view ? view->Flags().m_CarJamName : ReadDisplayFlags(m_Settings).m_CarJamName, EncodePng);
  });
  for (const PartCommands& part : PartCommandIds()) {
    const PartFileKind& kind = *FindPartFileKind(part.shape);
    entry.Handle(part.exportId, [&document, &kind] { document.ExportPart(kind); });
    entry.Handle(part.importId, [&document, &kind] { document.ImportPart(kind); });
  }
  entry.Handle(kJamView, [this, &entry] { OpenWindow(entry, ViewKind::Jam); });
  // One more window of the active window's kind.
  entry.Handle(kNewWindow, [this, &entry] {
    QMdiSubWindow* active = m_Window->MdiArea().currentSubWindow();
    const bool jam = active && dynamic_cast<JamView*>(active->widget());
    OpenWindow(entry, jam ? ViewKind::Jam : ViewKind::Car);
  });
  entry.Handle(kClose, [this, &entry] {
    if (!MayClose(entry)) return;
    entry.closing = true;
    for (QMdiSubWindow* window : std::vector(entry.windows)) window->close();
  });
  entry.stateChanged = document.StateChanged().Connect([this, &entry] {
    Retitle(entry);
    WindowActivated();
  });
}

void Application::RecoverOrphans() {
  if (m_Program.m_RecoveryFolder.empty()) return;
  for (const std::filesystem::path& orphan : OrphanedRecoveryFiles(m_Program.m_RecoveryFolder)) {
    const BoundedRead file = readFileUpTo(orphan, kLongestRecoveryFile);
    std::optional<RecoveredCar> recovered;
    if (file.status == BoundedRead::Status::Read) recovered = ReadRecovery(file.bytes);
    const bool take = recovered && m_Messages.ask("Tavrel did not close properly. Recover the unsaved changes to " +
                                                  recovered->name + "?");
    if (take) {
      OpenDocument& entry = AddDocument();
      entry.document->SetUntitledName(recovered->name);
      entry.document->Recover(std::move(*recovered));
      // Without a window the changes stay in their file for another run.
      if (OpenWindow(entry) == nullptr) continue;
    }
    // Recovered, its changes now kept by the new document; or let go.
    std::error_code ignored;
    std::filesystem::remove(orphan, ignored);
  }
}

// "Save changes to NAME?": Yes saves (asking for a name when the document has
// no file), No lets the changes go, Cancel keeps the document open.
bool Application::MayClose(OpenDocument& entry) {
  if (entry.closing || !entry.document->IsModified()) return true;
  switch (m_Messages.choose("Save changes to " + entry.document->Name() + "?")) {
    // Saved whole, or kept open: a car file does not hold changed parts.
    case Choice::Yes:
      return entry.document->Save().has_value() && !entry.document->IsModified();
    case Choice::No:
      return true;
    case Choice::Cancel:
      return false;
  }
  return false;
}

// A document's last window, or the main window, closes only when the player
// has answered for every document with unsaved changes that would go with it.
bool Application::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Close) return QObject::eventFilter(watched, event);
  const auto keepOpen = [event] {
    event->ignore();
    return true;
  };
  if (watched == m_Window.get()) {
    for (const auto& entry : m_Documents)
      if (!MayClose(*entry)) return keepOpen();
    for (const auto& entry : m_Documents) entry->closing = true;
    return false;
  }
  OpenDocument* entry = EntryOf(qobject_cast<QMdiSubWindow*>(watched));
  if (entry != nullptr && entry->windows.size() == 1 && !MayClose(*entry)) return keepOpen();
  return false;
}

QWidget* Application::MakeView(OpenDocument& entry, ViewKind kind) {
  if (kind == ViewKind::Jam) return new JamChildView(*entry.document, m_Messages, m_Program.m_JamSeed, *m_Window);
  if (!CanMakeGlContext()) {
    m_Messages.show("Cannot Make OpenGL Context", Icon::Stop);
    return nullptr;
  }
  return new CarChildView(*entry.document, m_Program, m_Window->Tree(), m_Messages, m_Chooser, m_Printer);
}

QMdiSubWindow* Application::OpenWindow(OpenDocument& entry, ViewKind kind) {
  QWidget* view = MakeView(entry, kind);
  if (view == nullptr) {
    if (entry.windows.empty())
      RemoveDocument(std::ranges::find_if(m_Documents, [&entry](const auto& e) { return e.get() == &entry; }));
    return nullptr;
  }
  QMdiSubWindow* window = m_Window->MdiArea().addSubWindow(view);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->installEventFilter(this);
  // The platform's close keys close the document (asking once for its changes),
  // wherever the focus is; the window's own menu would take them while it has the focus.
  for (QAction* action : window->systemMenu()->actions())
    if (QKeySequence::keyBindings(QKeySequence::Close).contains(action->shortcut())) action->setShortcuts({});
  window->setWindowIcon(QIcon(":/icons/car-document.svg"));
  // Cascaded from the top left, so a new window never opens out of sight.
  m_Window->PlaceWindow(*window, static_cast<int>(m_Window->MdiArea().subWindowList().size()) - 1);
  entry.windows.push_back(window);
  connect(window, &QObject::destroyed, this, [this, window] { WindowGone(window); });
  Retitle(entry);
  window->show();
  m_Window->MdiArea().setActiveSubWindow(window);
  WindowActivated();
  return window;
}

void Application::RemoveDocument(std::list<std::unique_ptr<OpenDocument>>::iterator entry) {
  m_Window->Tree().Model().RemoveDocument(*(*entry)->document);
  m_Documents.erase(entry);
}

void Application::WindowGone(const QMdiSubWindow* window) {
  const auto owner = std::ranges::find_if(m_Documents, [window](const auto& entry) {
    return std::ranges::find(entry->windows, window) != entry->windows.end();
  });
  if (owner == m_Documents.end()) return;
  std::erase((*owner)->windows, window);
  // The document goes with its last window, and its items with it.
  if ((*owner)->windows.empty()) {
    RemoveDocument(owner);
  } else {
    Retitle(**owner);
  }
  WindowActivated();
}

void Application::Retitle(OpenDocument& entry) {
  const std::string title = DocumentTitle(*entry.document);
  for (std::size_t i = 0; i < entry.windows.size(); ++i) {
    const auto* jam = dynamic_cast<const JamView*>(entry.windows[i]->widget());
    const std::string jamName = jam ? jam->JamName().toStdString() : std::string();
    entry.windows[i]->setWindowTitle(Text(WindowTitle(title, i, entry.windows.size(), jamName)));
  }
}

void Application::WindowActivated() {
  const OpenDocument* entry = EntryOf(m_Window->MdiArea().currentSubWindow());
  m_Window->setWindowTitle(Text(MainWindowTitle(entry ? entry->document.get() : nullptr)));
  m_Actions->ShowMenu(*m_Window->menuBar(), entry != nullptr);
  m_Actions->Update();
}

void Application::ImportFromExe() {
  OpenDocument& entry = AddDocument();
  entry.document->SetUntitledName(m_UntitledNames.Next());
  entry.document->NewFromExecutable();
  OpenWindow(entry);
}

bool Application::OpenFile(const QString& path) {
  if (const Document* open = DocumentWithFile(Documents(), path.toStdString())) {
    const auto entry = std::ranges::find_if(m_Documents, [open](const auto& e) { return e->document.get() == open; });
    m_Window->MdiArea().setActiveSubWindow((*entry)->windows.front());
    return true;
  }
  const QString canonical = CanonicalPath(path);
  if (!QFileInfo(canonical).isFile()) {
    m_Messages.show(QString("Cannot open %1.").arg(QDir::toNativeSeparators(path)).toStdString());
    return false;
  }
  OpenDocument& entry = AddDocument();
  // A file that gives no car makes no document (its message has said why).
  if (!entry.document->Open(canonical.toStdString())) {
    RemoveDocument(std::prev(m_Documents.end()));
    return false;
  }
  if (OpenWindow(entry) == nullptr) return false;
  m_RecentFiles.Add(canonical.toStdString());
  m_Actions->SetRecentFiles(m_RecentFiles.Paths());
  return true;
}

void Application::ChooseAndOpen() {
  // The Open dialog lists the car files once, then all files.
  if (const auto path = m_Chooser.Choose(FileAction::Open, kCarFileKind))
    OpenFile(QString::fromStdString(path->string()));
}

void Application::LaunchGame() {
  // The game is a Windows program: here it runs under wine.
  const QString wine = QStandardPaths::findExecutable("wine");
  if (wine.isEmpty()) return m_Messages.show("Cannot launch Zav: wine, which runs it here, was not found.", Icon::Stop);
  const QFileInfo exe(QString::fromStdString(m_Program.ExecutablePath().string()));
  if (!QProcess::startDetached(wine, {exe.fileName()}, exe.absolutePath()))
    m_Messages.show("Cannot launch Zav with " + wine.toStdString() + ".", Icon::Stop);
}

void Application::ShowAbout() {
  QMessageBox::about(
      m_Window.get(), tr("About Tavrel"),
      tr("<h3>Zav Tavrel %1</h3>"
         "<p>An editor for the car shapes of the racing game Zav: import the car from the game, "
         "view and edit it, and write it back.</p>"
         "<p>Built with:</p><ul>"
         "<li>Qt %2 (Widgets, GUI, Print Support), under the GNU Lesser General Public License v3</li>"
         "<li>the GNU C++ standard library, under the GNU General Public License v3 with the GCC Runtime Library "
         "Exception</li></ul>")
          .arg(TAVREL_VERSION, qVersion()));
}

}  // namespace tavrel
