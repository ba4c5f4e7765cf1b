#include "settings/settings_form.h"

#include <algorithm>
#include <charconv>

#include "platform/cp932.h"
#include "platform/user_dialogs.h"

namespace koru {
namespace {

constexpr std::array<int, kButtonGroupCount> kGroupImages = {0, 1, 2, 7};
constexpr std::array<std::string_view, kButtonItemCount> kButtonItems = {
    "TRACK", "OPEN", "PLAY", "PAUSE", "STOP", "PREV", "NEXT", "LIST", "DOC", "DATA"};
constexpr std::array<const char8_t*, list_column::kCount> kListColumns = {
    u8"ﾄﾗｯｸ", u8"親ﾌｫﾙﾀﾞ名", u8"ﾌｧｲﾙ名", u8"ﾀｲﾄﾙ", u8"ｱｰﾃｨｽﾄ", u8"ｺﾒﾝﾄ/著作権", u8"ｱﾙﾊﾞﾑ/音源名", u8"演奏ﾚｰﾄ", u8"演奏時間"};

constexpr std::array<int OptSettings::*, kOptFlagCount> kOptFlags = {
    &OptSettings::tray,  &OptSettings::blank, &OptSettings::sstp,  &OptSettings::media, &OptSettings::title,
    &OptSettings::backf, &OptSettings::movnr, &OptSettings::movew, &OptSettings::focus};
constexpr std::array<int MouseSettings::*, kMouseGroupCount> kMouseKeys = {
    &MouseSettings::trackl, &MouseSettings::trackr, &MouseSettings::titlel, &MouseSettings::titler};

// The control bar's reading of a digit: missing or not a number gives `fallback`.
int DigitAt(std::string_view text, std::size_t i, int fallback) {
  if (i >= text.size() || text[i] < '0' || text[i] > '9') return fallback;
  return text[i] - '0';
}

int Clamp(int value, NumberRange range) { return std::clamp(value, range.minimum, range.maximum); }

// An up-down's value from its box: clamped into the range, or the previous
// value (clamped too) when the text is no number. The box shows the result.
int TakeNumber(std::string& text, int previous, NumberRange range) {
  const std::optional<int> typed = ReadNumber(text);
  const int value = Clamp(typed ? *typed : previous, range);
  text = std::to_string(value);
  return value;
}

std::string Flags(const bool* first, std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += first[i] ? '1' : '0';
  return text;
}

}  // namespace

ButtonOrderList::ButtonOrderList(std::string_view order) {
  for (int position = 0; position < kButtonGroupCount; ++position) {
    const int group = DigitAt(order, static_cast<std::size_t>(position), position);
    groups_[static_cast<std::size_t>(position)] = group <= 3 ? group : position;
  }
}

void ButtonOrderList::MoveUp() {
  if (selected_ <= 0) return;
  std::swap(groups_[static_cast<std::size_t>(selected_)], groups_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
}

void ButtonOrderList::MoveDown() {
  if (selected_ < 0 || selected_ >= kButtonGroupCount - 1) return;
  std::swap(groups_[static_cast<std::size_t>(selected_)], groups_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
}

void ButtonOrderList::Reset() { groups_ = {0, 1, 2, 3}; }

std::string ButtonOrderList::OrderText() const {
  std::string text;
  for (int group : groups_) text += static_cast<char>('0' + group);
  return text;
}

int ButtonOrderList::ImageOf(int group) { return kGroupImages[static_cast<std::size_t>(group)]; }

std::string ButtonOrderList::CaptionOf(int group) {
  switch (group) {
    case 0:
      return "TRACK";
    case 1:
      return "OPEN";
    case 2:
      return cp932::FromUtf8(u8"PLAY～NEXT");
    default:
      return cp932::FromUtf8(u8"LIST～DATA");
  }
}

std::string_view ButtonItemCaption(int item) { return kButtonItems[static_cast<std::size_t>(item)]; }

std::string ListColumnCaption(int column) { return cp932::FromUtf8(kListColumns[static_cast<std::size_t>(column)]); }

int RadioOf(int value) { return value == 1 || value == 2 ? value : 0; }
int RadioValue(int radio) { return radio == 1 || radio == 2 ? radio : 0; }
int ListAutoRadioOf(int value) { return value == 0 || value == 2 ? value : 1; }
int ListAutoValue(int radio) { return radio == 0 || radio == 2 ? radio : 1; }

std::optional<int> ReadNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::vector<std::string> FontChoices(std::vector<std::string> faceNames) {
  std::erase_if(faceNames, [](const std::string& name) { return name.empty() || name.front() == '@'; });
  std::sort(faceNames.begin(), faceNames.end());
  faceNames.erase(std::unique(faceNames.begin(), faceNames.end()), faceNames.end());
  return faceNames;
}

SettingsForm LoadSettingsForm(const Settings& settings, std::vector<std::string> faceNames) {
  SettingsForm form;
  form.buttonOrder = ButtonOrderList(settings.button.order);
  for (int item = 0; item < kButtonItemCount; ++item) {
    form.buttonShown[static_cast<std::size_t>(item)] =
        DigitAt(settings.button.check, static_cast<std::size_t>(item), 1) == 1;
  }
  form.image = settings.image.image == 1;
  form.imageData = settings.image.data == 1;
  form.imageList = settings.image.list == 1;
  form.imageFile = settings.image.file;
  form.imageCenter = settings.image.center == 1;
  form.imageSize = settings.image.size == 1;
  form.imagePanel = settings.image.panel == 1;
  form.fonts = FontChoices(std::move(faceNames));
  const auto font = std::find(form.fonts.begin(), form.fonts.end(), settings.font.name);
  form.font = font == form.fonts.end() ? -1 : static_cast<int>(font - form.fonts.begin());
  form.panelColor = settings.panel.color >= 0 && settings.panel.color <= 2 ? settings.panel.color : -1;

  form.listAuto = ListAutoRadioOf(settings.list.autoSize);
  form.listCount = std::to_string(settings.list.count);
  form.timerPlay = std::to_string(settings.timer.play);
  form.timerGap = std::to_string(settings.timer.gap);
  form.sliderLarge = std::to_string(settings.slider.largeStep);
  form.sliderSmall = std::to_string(settings.slider.smallStep);

  for (int i = 0; i < kOptFlagCount; ++i) {
    form.opt[static_cast<std::size_t>(i)] = settings.opt.*kOptFlags[static_cast<std::size_t>(i)] == 1;
  }
  for (int i = 0; i < kMouseGroupCount; ++i) {
    form.mouse[static_cast<std::size_t>(i)] = RadioOf(settings.mouse.*kMouseKeys[static_cast<std::size_t>(i)]);
  }
  form.fileTypes.Fill(settings.FileTypes());
  return form;
}

void ShowFunctionPage(SettingsForm& form, const Settings& settings) {
  if (form.functionPageShown) return;
  for (std::size_t column = 0; column < form.listColumns.size(); ++column) {
    form.listColumns[column] = column < settings.list.check.size() && settings.list.check[column] == '1';
  }
  form.functionPageShown = true;
}

bool CollectSettings(SettingsForm& form, Settings& settings, ShortcutDialog& dialog,
                     const std::function<void()>& applyToMainWindow) {
  bool success = true;

  settings.button.order = form.buttonOrder.OrderText();
  settings.button.check = Flags(form.buttonShown.data(), form.buttonShown.size());

  settings.image.image = form.image ? 1 : 0;
  settings.image.data = form.imageData ? 1 : 0;
  settings.image.list = form.imageList ? 1 : 0;
  settings.image.file = form.imageFile;
  settings.image.center = form.imageCenter ? 1 : 0;
  settings.image.size = form.imageSize ? 1 : 0;
  settings.image.panel = form.imagePanel ? 1 : 0;
  // A list without a selection keeps what the key held.
  if (form.font >= 0 && form.font < static_cast<int>(form.fonts.size())) {
    settings.font.name = form.fonts[static_cast<std::size_t>(form.font)];
  }
  if (form.panelColor >= 0) settings.panel.color = form.panelColor;

  if (form.functionPageShown) {
    settings.list.check = Flags(form.listColumns.data(), form.listColumns.size());
    if (settings.list.check.find('1') == std::string::npos) {
      success = false;
      dialog.Ask(cp932::FromUtf8(u8"ﾘｽﾄでは最低1項目以上は表示を選択して下さい。\n※初期状態に戻します。"),
                 mb::kOkExclamation);
      settings.list.check = "100100001";
    }
  }

  for (int i = 0; i < kOptFlagCount; ++i) {
    settings.opt.*kOptFlags[static_cast<std::size_t>(i)] = form.opt[static_cast<std::size_t>(i)] ? 1 : 0;
  }
  for (int i = 0; i < kMouseGroupCount; ++i) {
    settings.mouse.*kMouseKeys[static_cast<std::size_t>(i)] = RadioValue(form.mouse[static_cast<std::size_t>(i)]);
  }
  settings.timer.play = TakeNumber(form.timerPlay, settings.timer.play, kTimerPlayRange);
  settings.timer.gap = TakeNumber(form.timerGap, settings.timer.gap, kTimerGapRange);
  settings.slider.smallStep = TakeNumber(form.sliderSmall, settings.slider.smallStep, kSliderSmallRange);
  settings.slider.largeStep = TakeNumber(form.sliderLarge, settings.slider.largeStep, kSliderLargeRange);
  settings.list.autoSize = ListAutoValue(form.listAuto);

  const std::optional<int> count = ReadNumber(form.listCount);
  if (!count || *count < kListCountRange.minimum || *count > kListCountRange.maximum) {
    success = false;
    dialog.Ask(cp932::FromUtf8(u8"最大ﾘｽﾄ数は ") + std::to_string(kListCountRange.minimum) + cp932::FromUtf8(u8" ～ ") +
                   std::to_string(kListCountRange.maximum) + cp932::FromUtf8(u8" です。"),
               mb::kOkExclamation);
  }
  settings.list.count = Clamp(count ? *count : settings.list.count, kListCountRange);
  form.listCount = std::to_string(settings.list.count);

  form.fileTypes.StoreInto(settings);

  applyToMainWindow();
  return success;
}

}  // namespace koru
