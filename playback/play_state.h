#pragma once

namespace koru {

// What the player does with its device. Paused is a mode of the device while
// the state stays Playing.
enum class PlayState { Closed = 0, Opened = 1, Playing = 2 };

}  // namespace koru
