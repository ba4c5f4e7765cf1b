// The control wrappers that handle their own notifications. A control that
// only shows, moves and enables itself is a plain Control.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/unique_handle_win32.h"
#include "ui/window.h"

namespace koru {

// A static text (SS_NOTIFY) that reports double clicks and may draw in
// colours of its own.
class Label : public Control {
 public:
  std::function<void()> onDoubleClick;

  void SetColours(COLORREF text, COLORREF background);
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  COLORREF text_ = 0;
  COLORREF background_ = 0;
  UniqueBrush brush_;  // null: the system's colours
};

// A scroll bar control that moves its own thumb: by its steps, to the end,
// or where it is dragged, within its range. Positions are read at their 32
// bits, which the scroll messages' 16 would cut off.
class ScrollBar : public Control {
 public:
  // After every move: the SB_ code and the new position.
  std::function<void(int code, int position)> onScroll;

  void SetRange(int maximum, int smallStep, int largeStep);
  void SetPosition(int position) const;
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  int smallStep_ = 1;
  int largeStep_ = 1;
};

// A track bar that reports its position whenever the user moves it.
class TrackBar : public Control {
 public:
  std::function<void(int position)> onChange;

  void SetPosition(int position) const;
  bool Reflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace koru
