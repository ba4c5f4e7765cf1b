// One add to the list at a time. A question inside an add (an unknown file
// type, a full list) runs a message loop, in which another drop, a menu
// command or the hand-over of a later instance would change the list under
// the add still running. What arrives meanwhile waits in order and runs
// once the add has ended.
#pragma once

#include <deque>
#include <functional>
#include <utility>

namespace koru {

class AddGate {
 public:
  // Runs `add` now, or, while another add runs, after it and after every add
  // that arrived before.
  void Run(std::function<void()> add) {
    waiting_.push_back(std::move(add));
    if (running_) return;
    running_ = true;
    // An add that throws ends the run; whatever waits then runs with the
    // next add, still in order.
    struct Leave {
      bool& running;
      ~Leave() { running = false; }
    } leave{running_};
    while (!waiting_.empty()) {
      std::function<void()> next = std::move(waiting_.front());
      waiting_.pop_front();
      next();
    }
  }

  bool Running() const { return running_; }

 private:
  bool running_ = false;
  std::deque<std::function<void()>> waiting_;
};

}  // namespace koru
