#include "desktop/zip_show_result.h"

namespace koru {

void ZipResultWindow::SwitchOff() {
  remembered_ = store_.Read();
  if (remembered_.kind != ShowResultValue::Kind::Foreign) store_.Write(0);
}

void ZipResultWindow::Restore() {
  switch (remembered_.kind) {
    case ShowResultValue::Kind::Absent:
      store_.Remove();
      break;
    case ShowResultValue::Kind::Number:
      if (remembered_.number != 0) store_.Write(remembered_.number);
      break;
    case ShowResultValue::Kind::Foreign:
      break;
  }
  remembered_ = ShowResultValue{ShowResultValue::Kind::Foreign, 0};  // once is enough
}

}  // namespace koru
