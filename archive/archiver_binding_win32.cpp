#include "archive/archiver_binding_win32.h"

namespace koru {

ArchiverBinding::ArchiverBinding(HINSTANCE instance, HWND mainWindow)
    : window_(instance), archiver_(platform_, mainWindow, window_.Handle()), extractor_(archiver_) {
  window_.AnswerFor(&archiver_);
}

ArchiverBinding::~ArchiverBinding() {
  // The libraries go (with the adapter) while the window they report to is
  // still there; then the window.
  window_.AnswerFor(nullptr);
}

}  // namespace koru
