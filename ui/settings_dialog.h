// TfrmInit, the settings dialog (詳細設定): five pages of settings over the
// Settings record, taken over by OK or 適用 and applied to the main window at
// once; KORU.ini is written at exit, never here. Its shortcut buttons,
// associations and the file-type reset act at once. What the dialog shows
// and takes over is settings/settings_form.h; this class copies it to and
// from the controls.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <functional>
#include <string>

#include "desktop/file_associator.h"
#include "desktop/shortcut_toggle.h"
#include "platform/unique_handle_win32.h"
#include "settings/settings.h"
#include "settings/settings_form.h"
#include "ui/window.h"

namespace koru {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle handle) { ImageList_Destroy(handle); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

class TfrmInit : public Dialog, private ShortcutDialog {
 public:
  struct Context {
    Settings& settings;
    FileAssociator& associator;
    ShortcutFiles& shortcutFiles;
    std::string programPath;  // what associations and shortcuts start
    // The main window's ApplySettings and a full RefreshList.
    std::function<void()> applyToMainWindow;
  };

  static constexpr int kPageCount = 5;

  explicit TfrmInit(Context context) : context_(std::move(context)) {}

  // mnuFormClick: shows the dialog modally, owned by `owner`; IDOK or
  // IDCANCEL as it was left.
  INT_PTR ShowModal(HINSTANCE instance, HWND owner);

 protected:
  INT_PTR HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // ShortcutDialog: every message of the dialog is a system message box
  // with the dialog's caption.
  int Ask(std::string_view text, int flags) override;
  void BringToFront() override;

  void FormCreate(HWND hwnd);
  void FormCommand(int id, int code);
  bool FormNotify(const NMHDR& header);
  void pctInitChange();
  void ShowPage(int page);
  void tabFunctionShow();
  void LoadButtonLists();
  void ShowButtonOrder();
  void btnOkClick();
  void btnApplyClick();
  void btnCancelClick();
  void btnButtonUpClick();
  void btnButtonDownClick();
  void btnButtonInitClick();
  void chkImageClick();
  void btnImageFileClick();
  void cbxFontChange();
  void updTimerClick(int upDownId);
  void btnShortcutClick(ShortcutPlace place);
  void sgrFileExtSelectCell(int row);
  void btnFileExtSetClick();
  void btnFileExtAddClick();
  void btnFileExtDelClick();
  void btnFileExtRegClick();
  void btnFileExtInitClick();
  void btnFileExtAllClick();
  void FillFileTypeGrid();
  void ShowFileTypeControls();
  bool CollectSettings();

  void CreateButtonImages();
  void SetUpLists();
  void FillFonts(HWND hwnd);
  void ShowForm();
  void ReadForm();
  void ShowNumbers();
  bool Checked(int id) const;
  void Check(int id, bool checked) const;
  int CheckedRadio(int firstId, int count) const;
  char CheckedFileType() const;
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text) const;
  bool IsShown(int id) const;

  Context context_;
  SettingsForm form_;
  int page_ = 0;
  std::array<std::string, 3> shortcutFolders_;  // by ShortcutPlace
  UniqueImageList imlButton_;
  UniqueImageList gridRowHeight_;  // an empty 1 x 16 image list that sets sgrFileExt's row height
  UniqueFont dialogFont_;
  UniqueFont sampleFont_;
  bool filling_ = false;  // list notifications while the dialog fills a list are its own
};

}  // namespace koru
