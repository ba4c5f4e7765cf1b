#include "playback/track_selection.h"

#include "platform/cp932.h"

namespace koru {

long long RateWeight(const MediaEntry& entry) {
  const long long weight = static_cast<long long>(entry.RateValue()) + 1;
  return weight < 1 ? 1 : weight;
}

void TrackSelection::FuncNextClick() { Step(+1); }

void TrackSelection::FuncPrevClick() { Step(-1); }

void TrackSelection::Step(int direction) {
  c_.noRepeat.store(0);
  const int count = c_.list.Count();
  if (count < 2) return;
  switch (c_.order.mode) {
    case OrderMode::ListOrder: {
      int index = c_.list.CurrentIndex() + direction;
      if (index >= count) index = 0;
      if (index < 0) index = count - 1;
      c_.list.SetCurrentIndex(index);
      break;
    }
    case OrderMode::ByRate:
      PickWeightedTrack();
      break;
    case OrderMode::UnplayedOnly:
      PickUnplayedTrack();
      break;
  }
  c_.player.PlayCurrentEntry(true);
}

void TrackSelection::TitleMenuChoice(int position) {
  if (position >= 0 && position < c_.list.Count()) c_.list.SetCurrentIndex(position);
  c_.player.PlayCurrentEntry(true);
}

void TrackSelection::ClearPlayedWhenAllPlayed() {
  SyncPlayedFlags();
  if (c_.list.PlayedCount() < c_.list.Count()) return;
  c_.list.ClearPlayed();
  c_.view.RefreshListRows(true);  // the check boxes follow the cleared flags
}

void TrackSelection::PickUnplayedTrack() {
  const int count = c_.list.Count();
  if (count < 1) return;
  ClearPlayedWhenAllPlayed();
  const int unplayed = count - c_.list.PlayedCount();
  int n = ClockDraw(c_.clock) % unplayed;
  int chosen = -1;
  for (int i = 0; i < count; ++i) {
    if (c_.list.Entry(i).played) continue;
    if (n == 0) {
      chosen = i;
      break;
    }
    --n;
  }
  if (chosen < 0) return;
  // The same entry again is avoided by taking the next one, played or not.
  c_.list.SetCurrentIndex(chosen == c_.list.CurrentIndex() ? (chosen + 1) % count : chosen);
}

void TrackSelection::PickWeightedTrack() {
  const int count = c_.list.Count();
  if (count < 1) return;
  ClearPlayedWhenAllPlayed();
  const int current = c_.list.CurrentIndex();
  for (int attempt = 0; attempt < 2; ++attempt) {
    long long total = 0;
    for (int i = 0; i < count; ++i) total += RateWeight(c_.list.Entry(i));
    long long r = ClockDraw(c_.clock) % total;
    for (int i = 0; i < count; ++i) {
      r -= RateWeight(c_.list.Entry(i));
      // Drawing the current entry walks on: r stays negative, so the next
      // entry is taken; for the last entry the walk ends without a choice.
      if (r < 0 && i != current) {
        c_.list.SetCurrentIndex(i);
        return;
      }
    }
  }
}

void TrackSelection::mnuFuncRepeatClick() {
  c_.order.repeat = !c_.order.repeat;
  c_.view.ShowOrder(c_.order);
}

void TrackSelection::mnuFuncRandNoneClick() {
  c_.order.mode = OrderMode::ListOrder;
  c_.view.ShowOrder(c_.order);
}

void TrackSelection::mnuFuncRandOnceClick() {
  SwitchToRandomMode(OrderMode::UnplayedOnly, list_column::kTrack,
                     u8"ﾄﾗｯｸが非表示に設定されています。\nﾄﾗｯｸを表示させますか？");
}

void TrackSelection::mnuFuncRandRateClick() {
  SwitchToRandomMode(OrderMode::ByRate, list_column::kRate,
                     u8"演奏ﾚｰﾄが非表示に設定されています。\n演奏ﾚｰﾄを表示させますか？");
}

void TrackSelection::SwitchToRandomMode(OrderMode mode, int column, const char8_t* question) {
  if (c_.order.mode == mode) return;
  // The mode works on a column (the played marks, the rates) the user may
  // have hidden; offer to show it.
  if (!c_.settings.ColumnShown(column) &&
      c_.dialogs.ShowMessageDialog(cp932::FromUtf8(question), mb::kYesNoInformation) == answer::kYes) {
    c_.settings.SetColumnShown(column, true);
    c_.view.ApplySettings();
    SyncPlayedFlags();
    c_.displays.RefreshList(true);
  }
  c_.order.mode = mode;
  c_.view.ShowOrder(c_.order);
}

}  // namespace koru
