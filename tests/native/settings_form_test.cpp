// The settings dialog's values over a Settings record and fake message boxes:
// what opens, what OK and 適用 take over, the order list and the file-type
// grid.
#include "settings/settings_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "platform/user_dialogs.h"
#include "support/fake_file_system.h"
#include "support/recording_associator.h"

namespace koru {
namespace {

std::string Text(const char8_t* utf8) { return cp932::FromUtf8(utf8); }

class FakeDialog : public ShortcutDialog {
 public:
  int reply = answer::kYes;
  std::vector<std::string> asked;  // "flags text"
  int Ask(std::string_view text, int flags) override {
    asked.push_back(std::to_string(flags) + " " + std::string(text));
    return reply;
  }
  void BringToFront() override {}
};

class SettingsFormTest : public ::testing::Test {
 protected:
  testing::FakeFileSystem fs;
  Settings settings{fs, "C:\\KORU\\", SystemVersion{5, 1, 2600, 2}};
  FakeDialog dialog;
  int applied = 0;

  bool Collect(SettingsForm& form) {
    return CollectSettings(form, settings, dialog, [this] { ++applied; });
  }
  SettingsForm Load() { return LoadSettingsForm(settings, {}); }
  std::size_t RowOf(const FileTypeGrid& grid, const std::string& extension) {
    for (std::size_t row = 0; row < grid.RowCount(); ++row) {
      if (grid.RowAt(row).extension == extension) return row;
    }
    ADD_FAILURE() << extension;
    return 0;
  }
};

const std::string kCountMessage = "48 " + Text(u8"最大ﾘｽﾄ数は 100 ～ 9999 です。");
const std::string kColumnMessage =
    "48 " + Text(u8"ﾘｽﾄでは最低1項目以上は表示を選択して下さい。\n※初期状態に戻します。");

// --- order list -----------------------------------------------------------------

TEST(ButtonOrderList, ReadsOrderAsTheControlBar) {
  struct Case {
    const char* order;
    const char* read;
  };
  for (const Case& c : {Case{"3210", "3210"}, Case{"", "0123"}, Case{"1x9", "1123"}, Case{"00", "0023"}}) {
    EXPECT_EQ(ButtonOrderList(c.order).OrderText(), c.read) << c.order;
  }
}

TEST(ButtonOrderList, MovesTheSelectedGroupAndKeepsItSelected) {
  ButtonOrderList list("0123");
  list.Select(0);
  list.MoveDown();  // TRACK below OPEN
  EXPECT_EQ(list.OrderText(), "1023");
  EXPECT_EQ(list.Selected(), 1);
  list.Select(0);
  list.MoveUp();  // already first
  list.Select(3);
  list.MoveDown();  // already last
  EXPECT_EQ(list.OrderText(), "1023");
  list.MoveUp();
  EXPECT_EQ(list.OrderText(), "1032");
  EXPECT_EQ(list.Selected(), 2);
  list.Reset();
  EXPECT_EQ(list.OrderText(), "0123");
  EXPECT_EQ(ButtonOrderList::ImageOf(3), 7);
  EXPECT_EQ(ButtonOrderList::CaptionOf(2), Text(u8"PLAY～NEXT"));
}

// --- loading ----------------------------------------------------------------------

TEST(SettingsFormRadios, MapValuesBothWays) {
  struct Case {
    int value;
    int radio;
    int autoRadio;
  };
  for (const Case& c : {Case{0, 0, 0}, Case{1, 1, 1}, Case{2, 2, 2}, Case{3, 0, 1}, Case{-1, 0, 1}}) {
    EXPECT_EQ(RadioOf(c.value), c.radio) << c.value;
    EXPECT_EQ(ListAutoRadioOf(c.value), c.autoRadio) << c.value;
  }
  EXPECT_EQ(RadioValue(-1), 0);
  EXPECT_EQ(RadioValue(2), 2);
  EXPECT_EQ(ListAutoValue(-1), 1);
  EXPECT_EQ(ListAutoValue(0), 0);
}

TEST_F(SettingsFormTest, ButtonChecksReadAsTheControlBar) {
  settings.button.check = "01x";
  const SettingsForm form = Load();
  EXPECT_FALSE(form.buttonShown[0]);
  EXPECT_TRUE(form.buttonShown[1]);
  EXPECT_TRUE(form.buttonShown[2]);  // not a number: shown
  EXPECT_TRUE(form.buttonShown[9]);  // missing: shown
}

TEST(FontChoices, OneEntryPerNameWithoutVerticalFaces) {
  EXPECT_EQ(FontChoices({"MS Gothic", "@MS Gothic", "IPAGothic", "MS Gothic", ""}),
            (std::vector<std::string>{"IPAGothic", "MS Gothic"}));
}

TEST_F(SettingsFormTest, FontAndColourWithoutSelectionKeepTheirKeys) {
  settings.font.name = "Missing Face";
  settings.panel.color = 7;
  SettingsForm form = LoadSettingsForm(settings, {"IPAGothic"});
  EXPECT_EQ(form.font, -1);
  EXPECT_EQ(form.panelColor, -1);
  Collect(form);
  EXPECT_EQ(settings.font.name, "Missing Face");
  EXPECT_EQ(settings.panel.color, 7);
  form.font = 0;
  form.panelColor = 2;
  Collect(form);
  EXPECT_EQ(settings.font.name, "IPAGothic");
  EXPECT_EQ(settings.panel.color, 2);
}

// --- CollectSettings ----------------------------------------------------------------

TEST_F(SettingsFormTest, ListCountInRangeIsTakenSilently) {
  for (const char* count : {"100", "9999", " 250 "}) {
    SettingsForm form = Load();
    form.listCount = count;
    EXPECT_TRUE(Collect(form)) << count;
    EXPECT_EQ(std::to_string(settings.list.count), form.listCount);
  }
  EXPECT_EQ(settings.list.count, 250);
  EXPECT_TRUE(dialog.asked.empty());
  EXPECT_EQ(applied, 3);
}

TEST_F(SettingsFormTest, ListCountOutsideTheRangeIsClampedWithTheMessage) {
  struct Case {
    const char* typed;
    int taken;
  };
  settings.list.count = 500;
  for (const Case& c : {Case{"50", 100}, Case{"10000", 9999}, Case{"abc", 9999}, Case{"", 9999}}) {
    dialog.asked.clear();
    SettingsForm form = Load();
    form.listCount = c.typed;
    EXPECT_FALSE(Collect(form)) << c.typed;
    EXPECT_EQ(settings.list.count, c.taken) << c.typed;
    EXPECT_EQ(form.listCount, std::to_string(c.taken));
    EXPECT_EQ(dialog.asked, std::vector<std::string>{kCountMessage});
  }
}

TEST_F(SettingsFormTest, TimerAndSliderNumbersAreClampedOrKept) {
  SettingsForm form = Load();
  form.timerPlay = "1000";
  form.timerGap = "-3";
  form.sliderLarge = "x";
  form.sliderSmall = "55";
  settings.slider.largeStep = 4;
  EXPECT_TRUE(Collect(form));
  EXPECT_EQ(settings.timer.play, 900);
  EXPECT_EQ(settings.timer.gap, 0);
  EXPECT_EQ(settings.slider.largeStep, 4);
  EXPECT_EQ(settings.slider.smallStep, 55);
  EXPECT_EQ(form.timerPlay, "900");
  EXPECT_EQ(form.timerGap, "0");
  EXPECT_EQ(form.sliderLarge, "4");
  EXPECT_TRUE(dialog.asked.empty());
}

TEST_F(SettingsFormTest, ListColumnsAreTakenOnlyOnceTheirPageShowed) {
  settings.list.check = "111111111";
  SettingsForm form = Load();
  form.listColumns.fill(false);  // never shown: not read
  EXPECT_TRUE(Collect(form));
  EXPECT_EQ(settings.list.check, "111111111");

  ShowFunctionPage(form, settings);
  form.listColumns[1] = false;
  settings.list.check = "000000000";
  ShowFunctionPage(form, settings);  // the second showing keeps the edits
  EXPECT_FALSE(form.listColumns[1]);
  EXPECT_TRUE(Collect(form));
  EXPECT_EQ(settings.list.check, "101111111");
}

TEST_F(SettingsFormTest, NoListColumnRestoresTheDefaultAndKeepsTheDialogOpen) {
  SettingsForm form = Load();
  ShowFunctionPage(form, settings);
  form.listColumns.fill(false);
  form.opt[0] = true;  // taken although the check fails
  EXPECT_FALSE(Collect(form));
  EXPECT_EQ(settings.list.check, "100100001");
  EXPECT_EQ(settings.opt.tray, 1);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(dialog.asked, std::vector<std::string>{kColumnMessage});
  EXPECT_FALSE(Collect(form));  // the boxes stay unticked: the message again
  EXPECT_EQ(dialog.asked.size(), 2u);
}

TEST_F(SettingsFormTest, EveryMappedValueRoundTrips) {
  SettingsForm form = Load();
  form.buttonOrder.Select(0);
  form.buttonOrder.MoveDown();
  form.buttonShown[4] = false;
  form.image = form.imageData = form.imageList = form.imageCenter = form.imageSize = form.imagePanel = true;
  form.imageFile = "C:\\pic.jpg";
  form.opt = {true, false, true, false, true, false, true, false, true};
  form.mouse = {2, 1, -1, 2};
  form.listAuto = 2;
  EXPECT_TRUE(Collect(form));
  EXPECT_EQ(settings.button.order, "1023");
  EXPECT_EQ(settings.button.check, "1111011111");
  EXPECT_EQ(settings.image.image + settings.image.data + settings.image.list + settings.image.center +
                settings.image.size + settings.image.panel,
            6);
  EXPECT_EQ(settings.image.file, "C:\\pic.jpg");
  EXPECT_EQ(settings.opt.tray, 1);
  EXPECT_EQ(settings.opt.blank, 0);
  EXPECT_EQ(settings.opt.focus, 1);
  EXPECT_EQ(settings.mouse.trackl, 2);
  EXPECT_EQ(settings.mouse.trackr, 1);
  EXPECT_EQ(settings.mouse.titlel, 0);
  EXPECT_EQ(settings.mouse.titler, 2);
  EXPECT_EQ(settings.list.autoSize, 2);

  const SettingsForm again = Load();
  EXPECT_EQ(again.buttonOrder.OrderText(), "1023");
  EXPECT_EQ(again.buttonShown, form.buttonShown);
  EXPECT_EQ(again.opt, form.opt);
  EXPECT_EQ(again.mouse, (std::array<int, kMouseGroupCount>{2, 1, 0, 2}));
  EXPECT_EQ(again.listAuto, 2);
}

// --- file-type grid -------------------------------------------------------------------

TEST(FileTypeGridTexts, DescriptionsByCategory) {
  EXPECT_EQ(FileTypeDescription('1'), Text(u8"ﾒﾃﾞｨｱﾌｧｲﾙ"));
  EXPECT_EQ(FileTypeDescription('0'), Text(u8"非ﾒﾃﾞｨｱﾌｧｲﾙ"));
  EXPECT_EQ(FileTypeDescription('T'), Text(u8"ﾄﾞｷｭﾒﾝﾄﾌｧｲﾙ"));
  EXPECT_EQ(FileTypeDescription('L'), "-");
  EXPECT_EQ(FileTypeDescription(0), "");
}

TEST(FileTypeGridTexts, TypedExtensions) {
  struct Case {
    std::string typed;
    std::string taken;
  };
  const std::vector<Case> cases = {
      {"mid", "MID"}, {".mid", "MID"}, {"..mid", ""}, {"A.B", ""},  {"X\\", ""},       {"a/b", ""},
      {"c:", ""},     {"m d", ""},     {"\x01", ""},  {".", ""},    {"", ""},          {Text(u8"表"), Text(u8"表")},
      {Text(u8"ａ　"), ""}, {Text(u8"ｍｉｄ"), Text(u8"ＭＩＤ")}};
  for (const Case& c : cases) EXPECT_EQ(NewExtensionOf(c.typed), c.taken) << c.typed;
}

TEST_F(SettingsFormTest, GridRowsFollowTheTableWithAnEmptyLastRow) {
  FileTypeGrid grid;
  grid.Fill(settings.FileTypes());
  ASSERT_EQ(grid.RowCount(), settings.FileTypes().Size() + 1);
  EXPECT_EQ(grid.RowAt(0).extension, settings.FileTypes().Row(0).extension);
  EXPECT_TRUE(grid.RowAt(grid.RowCount() - 1).extension.empty());
}

TEST_F(SettingsFormTest, ControlsFollowTheSelectedRowsCategory) {
  struct Case {
    char category;
    bool types;
    bool reg;
  };
  FileTypeGrid grid;
  grid.Fill(settings.FileTypes());
  const std::string kinds[] = {"MID", "TXT", "MPL", "LZH", "M3U"};
  for (const std::string& extension : kinds) {
    grid.Select(RowOf(grid, extension));
    const char category = grid.RowAt(grid.Selected()).category;
    const FileTypeRowControls controls = grid.Controls();
    const bool chosen = category == '0' || category == '1' || category == 'T';
    EXPECT_EQ(controls.typesEnabled, chosen) << extension;
    EXPECT_EQ(controls.setEnabled, chosen);
    EXPECT_EQ(controls.deleteEnabled, chosen);
    EXPECT_EQ(controls.typeChecked, chosen ? category : 0);
    EXPECT_EQ(controls.registerEnabled, category == '1' || category == 'F' || category == 'K' || category == 'U')
        << extension;
    EXPECT_EQ(controls.extension, extension);
    EXPECT_TRUE(controls.addEnabled);
  }
  grid.Select(grid.RowCount() + 5);  // the empty last row
  EXPECT_EQ(grid.Selected(), grid.RowCount() - 1);
  EXPECT_FALSE(grid.Controls().typesEnabled);
  EXPECT_FALSE(grid.Controls().registerEnabled);
}

TEST_F(SettingsFormTest, AddSetAndDeleteReachTheTableOnlyThroughCollect) {
  SettingsForm form = Load();
  FileTypeGrid& grid = form.fileTypes;
  std::string typed = "abc";
  ASSERT_TRUE(grid.Add(typed, 'T', dialog));
  EXPECT_EQ(typed, "ABC");
  EXPECT_EQ(grid.RowAt(grid.Selected()).extension, "ABC");
  EXPECT_EQ(grid.Selected(), grid.RowCount() - 2);
  EXPECT_EQ(settings.CategoryOf("x.abc"), '?');

  grid.Select(RowOf(grid, "WAV"));
  grid.SetSelectedType('0');
  grid.SetSelectedType(0);  // no type checked: unchanged
  grid.Select(RowOf(grid, "TXT"));
  grid.DeleteSelected();
  grid.Select(grid.RowCount() - 1);
  grid.DeleteSelected();  // the empty last row stays
  EXPECT_TRUE(grid.RowAt(grid.RowCount() - 1).extension.empty());

  std::string none;
  EXPECT_FALSE(grid.Add(none, '1', dialog));
  EXPECT_EQ(dialog.asked, std::vector<std::string>{"48 " + Text(u8"ﾌｧｲﾙﾀｲﾌﾟが入力されていません。")});

  ASSERT_TRUE(Collect(form));
  EXPECT_EQ(settings.CategoryOf("x.abc"), 'T');
  EXPECT_EQ(settings.CategoryOf("x.wav"), '0');
  EXPECT_EQ(settings.CategoryOf("x.txt"), '?');
}

TEST_F(SettingsFormTest, AddingAnExtensionAgainIsRefused) {
  FileTypeGrid grid;
  grid.Fill(settings.FileTypes());
  std::string typed = "mid";
  const std::size_t rows = grid.RowCount();
  EXPECT_FALSE(grid.Add(typed, '1', dialog));
  EXPECT_EQ(grid.RowCount(), rows);
  EXPECT_EQ(dialog.asked, std::vector<std::string>{"48 " + Text(u8"ﾌｧｲﾙﾀｲﾌﾟ MID は登録済みです。")});
}

TEST_F(SettingsFormTest, AFullTableKeepsEveryRowAndTakesNoNewOne) {
  for (int i = 0; settings.FileTypes().Size() < FileTypeTable::kMaxRows; ++i) {
    settings.AppendFileType(FileTypeRow{'1', "Z" + std::to_string(i)});
  }
  settings.SortFileTypes();
  SettingsForm form = Load();
  EXPECT_FALSE(form.fileTypes.Controls().addEnabled);
  std::string typed = "new";
  EXPECT_FALSE(form.fileTypes.Add(typed, '1', dialog));
  EXPECT_TRUE(Collect(form));
  EXPECT_EQ(settings.FileTypes().Size(), FileTypeTable::kMaxRows);
}

TEST_F(SettingsFormTest, RegisteringAsksThenAssociates) {
  testing::RecordingAssociator associator;
  FileTypeGrid grid;
  grid.Fill(settings.FileTypes());
  grid.Select(RowOf(grid, "MPL"));
  grid.RegisterSelected("C:\\KORU\\KORU.exe", associator, dialog);
  EXPECT_EQ(dialog.asked.back(),
            "68 " + Text(u8"ﾌｧｲﾙﾀｲﾌﾟ MPL とKORUの関連付けを行います。\nよろしいですか？"));
  EXPECT_EQ(associator.calls,
            (std::vector<std::string>{"C:\\KORU\\KORU.exe|.MPL|MPLfile|Play|" + Text(u8"ﾒﾃﾞｨｱﾘｽﾄﾌｧｲﾙ"), "changed"}));

  associator.calls.clear();
  dialog.reply = answer::kNo;
  grid.RegisterAllMedia("K.exe", associator, dialog);
  EXPECT_TRUE(associator.calls.empty());
  dialog.reply = answer::kYes;
  grid.RegisterAllMedia("K.exe", associator, dialog);
  std::size_t media = 0;
  for (const FileTypeRow& row : settings.FileTypes().Rows()) media += row.category == '1';
  ASSERT_EQ(associator.calls.size(), media + 1);
  EXPECT_EQ(associator.calls.front().find("K.exe|."), 0u);
  EXPECT_NE(associator.calls.front().find("|Play|" + Text(u8"ﾒﾃﾞｨｱﾌｧｲﾙ")), std::string::npos);
}

TEST_F(SettingsFormTest, ResettingTheTableActsAtOnce) {
  settings.SetCategory("a.qqq", '1');
  SettingsForm form = Load();
  dialog.reply = answer::kNo;
  form.fileTypes.ResetTable(settings, dialog);
  EXPECT_EQ(settings.CategoryOf("a.qqq"), '1');
  dialog.reply = answer::kYes;
  form.fileTypes.ResetTable(settings, dialog);
  EXPECT_EQ(settings.CategoryOf("a.qqq"), '?');
  EXPECT_EQ(form.fileTypes.RowCount(), settings.FileTypes().Size() + 1);
  EXPECT_EQ(dialog.asked.back(),
            "52 " + Text(u8"ﾌｧｲﾙﾀｲﾌﾟを初期化します。 よろしいですか？\n※更新内容は即時反映されます。"));
}

}  // namespace
}  // namespace koru
