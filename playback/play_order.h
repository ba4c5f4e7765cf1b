// Repeat and the order in which the list is played. The menu check marks
// mirror this state; [MPL] repeat and [MPL] random keep it across runs.
#pragma once

namespace koru {

enum class OrderMode { ListOrder = 0, UnplayedOnly = 1, ByRate = 2 };

struct PlayOrder {
  bool repeat = true;
  OrderMode mode = OrderMode::ListOrder;
};

}  // namespace koru
