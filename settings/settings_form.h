// The settings dialog's controls as values: what the dialog shows when it
// opens (LoadSettingsForm), and how OK and 適用 take it over into the Settings
// with their checks (CollectSettings). The dialog's window only copies these
// values to and from its controls.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/shortcut_toggle.h"
#include "settings/file_type_grid.h"
#include "settings/settings.h"

namespace koru {

inline constexpr int kButtonGroupCount = 4;   // items of lsvButtonOrder
inline constexpr int kButtonItemCount = 10;   // items of lsvButtonCheck

// lsvButtonOrder: which control-bar group each of its four positions shows.
class ButtonOrderList {
 public:
  // [BUTTON] order as the control bar reads it: a digit missing, not a
  // number or outside 0-3 gives the group of its own position.
  explicit ButtonOrderList(std::string_view order = "0123");

  int GroupAt(int position) const { return groups_[static_cast<std::size_t>(position)]; }
  // The selected position, -1 for none.
  int Selected() const { return selected_; }
  void Select(int position) { selected_ = position >= 0 && position < kButtonGroupCount ? position : -1; }

  // The selected group changes places with its neighbour and stays selected.
  void MoveUp();
  void MoveDown();
  // TRACK, OPEN, PLAY～NEXT, LIST～DATA.
  void Reset();
  // [BUTTON] order: the group numbers in displayed order.
  std::string OrderText() const;

  // The image of lsvButtonCheck's list a group shows (0, 1, 2, 7) and its
  // caption ("TRACK", "OPEN", "PLAY～NEXT", "LIST～DATA", code page 932).
  static int ImageOf(int group);
  static std::string CaptionOf(int group);

 private:
  std::array<int, kButtonGroupCount> groups_{};
  int selected_ = -1;
};

// lsvButtonCheck's captions: "TRACK" ... "DATA".
std::string_view ButtonItemCaption(int item);
// lsvMediaList's captions, list column k for item k (code page 932).
std::string ListColumnCaption(int column);

// A radio group's chosen button (0, 1, 2; -1 none) for a stored value: 1 the
// second, 2 the third, anything else the first; and the value it stores.
int RadioOf(int value);
int RadioValue(int radio);
// [LIST] auto: 0 none, 2 text size, anything else window width; stored as 0
// for none, 2 for text and 1 otherwise.
int ListAutoRadioOf(int value);
int ListAutoValue(int radio);

// The up-downs' ranges.
struct NumberRange {
  int minimum;
  int maximum;
};
inline constexpr NumberRange kListCountRange{100, 9999};
inline constexpr NumberRange kTimerPlayRange{100, 900};
inline constexpr NumberRange kTimerGapRange{0, 9};
inline constexpr NumberRange kSliderLargeRange{2, 10};
inline constexpr NumberRange kSliderSmallRange{10, 100};

// A whole number typed into an edit box (blanks around it allowed), or
// nothing when the text is not one.
std::optional<int> ReadNumber(std::string_view text);

// The [OPT] flags in the order of the option page's check boxes' table:
// tray, blank, sstp, media, title, backf, movnr, movew, focus.
inline constexpr int kOptFlagCount = 9;
// The [MOUSE] radio groups: trackl, trackr, titlel, titler.
inline constexpr int kMouseGroupCount = 4;

struct SettingsForm {
  // ﾌｫｰﾑ
  ButtonOrderList buttonOrder;
  std::array<bool, kButtonItemCount> buttonShown{};
  bool image = false;
  bool imageData = false;
  bool imageList = false;
  std::string imageFile;
  bool imageCenter = false;
  bool imageSize = false;
  bool imagePanel = false;
  std::vector<std::string> fonts;  // cbxFont's items
  int font = -1;                   // the selected item, -1 none
  int panelColor = -1;             // cbxPanelColor's item, -1 none
  // 機能
  bool functionPageShown = false;
  std::array<bool, list_column::kCount> listColumns{};  // filled when the page is first shown
  int listAuto = 1;
  std::string listCount;  // the edit boxes' texts
  std::string timerPlay;
  std::string timerGap;
  std::string sliderLarge;
  std::string sliderSmall;
  // ｵﾌﾟｼｮﾝ and 操作
  std::array<bool, kOptFlagCount> opt{};
  std::array<int, kMouseGroupCount> mouse{};
  // ﾌｧｲﾙ
  FileTypeGrid fileTypes;
};

// cbxFont's items from the enumerated face names of the fonts that can show
// Japanese: one entry per name, none starting with "@" (the vertical faces),
// sorted.
std::vector<std::string> FontChoices(std::vector<std::string> faceNames);

// The dialog as it opens. The font items come from `faceNames` (FontChoices).
SettingsForm LoadSettingsForm(const Settings& settings, std::vector<std::string> faceNames);
// tabFunctionShow: the first time the page shows, its column list is ticked
// from [LIST] check.
void ShowFunctionPage(SettingsForm& form, const Settings& settings);

// OK and 適用: takes every value over into the Settings, with the checks'
// messages through `dialog`, and then has the main window apply them
// (ApplySettings and a full RefreshList). False when a check failed (OK then
// keeps the dialog open); the values are taken over all the same. The
// number boxes' texts are set to the numbers taken.
bool CollectSettings(SettingsForm& form, Settings& settings, ShortcutDialog& dialog,
                     const std::function<void()>& applyToMainWindow);

}  // namespace koru
