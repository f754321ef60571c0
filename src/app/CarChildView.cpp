#include "app/CarChildView.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/CommandTable.h"
#include "app/PngEncoding.h"
#include "app/RcrDistancesDialog.h"
#include "app/ValueDialogs.h"
#include "base/Messages.h"
#include "document/Document.h"
#include "document/FileChooser.h"
#include "document/ProgramValues.h"

namespace tavrel {
namespace {

constexpr FileDialogKind kPngFileKind{"rcr-back.png", "png", "PNG Pictures (*.png)|*.png|All Files (*.*)|*.*|"};

}  // namespace

CarChildView::CarChildView(Document& document, ProgramValues& program, EditorHost& editors, Messages& messages,
                           FileChooser& chooser, QPrinter& printer)
    : CarView(document, program, editors), m_Messages(messages), m_Chooser(chooser) {
  AddDisplaySwitches();
  AddViewpoints();
  AddTextureCommands();
  AddPrinting(printer);
  Handle(command::kRcrDistances, [this, &program] { RunRcrDistances(this, program, m_Messages); });
}

void CarChildView::AddDisplaySwitches() {
  for (const DisplaySwitch& entry : DisplaySwitches()) {
    bool DisplayFlags::*flag = entry.flag;
    const Refresh refresh = entry.refresh;
    Handle(
        entry.id,
        [this, flag, refresh] {
          Flags().*flag = !(Flags().*flag);
          if (refresh == Refresh::AllViews)
            GetDocument().UpdateAllViews();
          else
            update();
        },
        [this, flag] { return Flags().*flag; });
  }
}

void CarChildView::AddViewpoints() {
  using namespace command;
  const auto showCamera = [this](int camera) {
    View().m_CameraView = camera;
    GetDocument().UpdateAllViews();
  };
  Handle(
      kNormalView, [showCamera] { showCamera(Viewpoint::kNormalView); },
      [this] { return View().m_CameraView == Viewpoint::kNormalView; });
  for (std::size_t i = 0; i < kCameraViews.size(); ++i) {
    const int camera = static_cast<int>(i) + 1;
    Handle(
        kCameraViews[i], [showCamera, camera] { showCamera(camera); },
        [this, camera] { return View().m_CameraView == camera; });
  }
  for (const FixedViewCommand& fixed : kFixedViewCommands)
    Handle(fixed.id, [this, view = FixedViewNamed(fixed.view)] {
      View().SetFixedView(*view);
      GetDocument().UpdateAllViews();
    });
  Handle(kZoomIn, [this] {
    View().ZoomIn();
    update();
  });
  Handle(kZoomOut, [this] {
    View().ZoomOut();
    update();
  });
  Handle(
      kStartStopAnimation, [this] { ToggleAnimation(); }, [this] { return View().m_Animating; });
}

void CarChildView::AddTextureCommands() {
  using namespace command;
  Handle(kSetCarTextureJam, [this] { SetCarTextureJam(); });
  Handle(kReloadTextureCfg, [this] { ReloadTextureCfg(); });
  Handle(
      kDrawRcrJam,
      [this] {
        ProgramValues& program = Program();
        program.m_DrawRcrJam = !program.m_DrawRcrJam;
        LoadCarTextures();
      },
      [this] { return Program().m_DrawRcrJam; });
  Handle(kExportRcrJam, [this] { m_Messages.show("Current Not Implemented"); });
  Handle(kProduceRcrImages, [this] { ProduceRcrImages(); });
}

void CarChildView::SetCarTextureJam() {
  std::optional<std::string> name = ChooseCarJam(window(), Flags().m_CarJamName);
  if (!name) return;
  Flags().m_CarJamName = std::move(*name);
  LoadCarTextures();
  ReloadTextureCfg();
  GetDocument().UpdateAllViews();
}

// The back view, drawn off-screen at the view's size and saved as a PNG picture.
void CarChildView::ProduceRcrImages() {
  const FixedView& back = *FixedViewNamed("back");
  View().SetFixedView(back);
  GetDocument().UpdateAllViews();
  const QImage picture = GrabFrame();
  if (picture.isNull()) return m_Messages.show("Cannot Grab Screen");
  const auto path = m_Chooser.Choose(FileAction::Save, kPngFileKind);
  if (!path) return;
  if (const WriteResult written = WritePngFile(picture, *path); !written) m_Messages.show(WriteFailureMessage(written));
}

void CarChildView::AddPrinting(QPrinter& printer) {
  using namespace command;
  Handle(kPrint, [this, &printer] {
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) Print(printer);
  });
  Handle(kPrintDirect, [this, &printer] { Print(printer); });
  Handle(kPrintPreview, [this, &printer] {
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { Print(*target); });
    preview.exec();
  });
}

// The picture the view shows, as large as the page allows.
void CarChildView::Print(QPrinter& printer) {
  const QImage picture = GrabFrame();
  QPainter painter(&printer);
  if (picture.isNull()) return;
  const QRect page = painter.viewport();
  const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
  painter.drawImage(QRect(page.topLeft(), size), picture);
}

}  // namespace tavrel
