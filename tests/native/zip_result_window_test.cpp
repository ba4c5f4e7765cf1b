// The ZIP library's result window: switched off while the player runs, the
// user's value back at exit.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "desktop/zip_show_result.h"

namespace koru {
namespace {

class FakeStore : public ShowResultStore {
 public:
  ShowResultValue value;
  std::vector<std::string> writes;  // "write n", "remove"
  ShowResultValue Read() override { return value; }
  void Write(std::uint32_t number) override {
    writes.push_back("write " + std::to_string(number));
    value = {ShowResultValue::Kind::Number, number};
  }
  void Remove() override {
    writes.push_back("remove");
    value = {};
  }
};

TEST(ZipResultWindow, ValueIsSwitchedOffAndComesBackAsItWas) {
  using Kind = ShowResultValue::Kind;
  const struct {
    const char* name;
    ShowResultValue before;
    std::vector<std::string> writes;
  } cases[] = {
      {"1 restored", {Kind::Number, 1}, {"write 0", "write 1"}},
      {"0 kept", {Kind::Number, 0}, {"write 0"}},
      {"absent deleted", {Kind::Absent, 0}, {"write 0", "remove"}},
      {"foreign untouched", {Kind::Foreign, 0}, {}},
  };
  for (const auto& c : cases) {
    FakeStore store;
    store.value = c.before;
    ZipResultWindow window(store);
    window.SwitchOff();
    window.Restore();
    window.Restore();  // a second restore changes nothing
    EXPECT_EQ(store.writes, c.writes) << c.name;
  }
}

TEST(ZipResultWindow, RestoreWithoutSwitchingOffTouchesNothing) {
  FakeStore store;
  ZipResultWindow window(store);
  window.Restore();
  EXPECT_TRUE(store.writes.empty());
}

}  // namespace
}  // namespace koru
