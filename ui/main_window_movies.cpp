// The main window's movie windows and version dialog: the movie windows are
// created with it and shown by the playback core and by mnuWindowMovie; the
// version dialog opens from mnuAbout.
#include "ui/bring_to_front.h"
#include "ui/main_window.h"
#include "ui/version_dialog.h"

namespace koru {
namespace {

// A player built without a loader finds no library.
class NoLibraries : public ModuleLoader {
 public:
  std::unique_ptr<LoadedModule> LoadModule(const std::string&) override { return nullptr; }
};

}  // namespace

void TfrmMain::CreateMovieWindows(HWND hwnd) {
  if (!frmMovWn_.Create(instance_, hwnd) || !frmMovFl_.Create(instance_, hwnd)) {
    throw std::runtime_error("The movie windows cannot be created");
  }
}

bool TfrmMain::TranslateMovieShortcut(MSG& message) const {
  return frmMovWn_.TranslateShortcut(message) || frmMovFl_.TranslateShortcut(message);
}

void TfrmMain::HideMovieWindows() {
  frmMovWn_.Hide();
  frmMovFl_.Hide();
}

bool TfrmMain::MovieWindowVisible(MovieWindow window) {
  return window == MovieWindow::FullScreen ? frmMovFl_.Visible() : frmMovWn_.Visible();
}

DisplayWindow TfrmMain::MoviePanel(MovieWindow window) {
  return reinterpret_cast<DisplayWindow>(window == MovieWindow::FullScreen ? frmMovFl_.Panel() : frmMovWn_.Panel());
}

// The picture is the controller's, which the windows read themselves.
void TfrmMain::FitAndShowMovieWindow(MovieWindow window, const DisplayRect&) {
  if (window == MovieWindow::FullScreen) {
    frmMovFl_.ShowOn(MonitorFromWindow(frmMovFl_.Handle(), MONITOR_DEFAULTTONEAREST));
    frmMovFl_.ResetDisplayRect();
    frmMovFl_.LayoutFullScreen();
    BringToFront(frmMovFl_.Handle());
  } else {
    frmMovWn_.FitToMovieSize();
    frmMovWn_.LayoutMoviePanel();
    frmMovWn_.ShowNormal();
    BringToFront(frmMovWn_.Handle());
  }
}

void TfrmMain::mnuWindowMovieClick() {
  if (frmMovFl_.Visible()) {
    ShowWindow(frmMovFl_.Handle(), SW_SHOW);
    BringToFront(frmMovFl_.Handle());
  } else if (frmMovWn_.Visible()) {
    ShowWindow(frmMovWn_.Handle(), SW_SHOW);
    BringToFront(frmMovWn_.Handle());
  } else if (context_.settings.opt.movew == 0) {
    context_.device.SetDisplayWindow(MoviePanel(MovieWindow::Windowed));
    FitAndShowMovieWindow(MovieWindow::Windowed, context_.player.Controller().MovieRect());
  }
}

void TfrmMain::mnuAboutClick(HWND hwnd) {
  NoLibraries none;
  TfrmVer frmVer(context_.libraries ? *context_.libraries : static_cast<ModuleLoader&>(none), context_.rcpVersion);
  frmVer.ShowModal(instance_, hwnd);
}

}  // namespace koru
