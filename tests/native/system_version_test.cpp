#include "platform/system_version.h"

#include <gtest/gtest.h>

namespace koru {
namespace {

TEST(SystemVersion, NewerMeansLaterThanWindows2000) {
  EXPECT_FALSE((SystemVersion{4, 0, 950, 1}.IsNewer()));
  EXPECT_FALSE((SystemVersion{5, 0, 2195, 2}.IsNewer()));
  EXPECT_TRUE((SystemVersion{5, 1, 2600, 2}.IsNewer()));
  EXPECT_TRUE((SystemVersion{10, 0, 19045, 2}.IsNewer()));
  EXPECT_TRUE((SystemVersion{4, 0, 1381, 2}.IsAtMost4_0()));
  EXPECT_FALSE((SystemVersion{4, 10, 1998, 1}.IsAtMost4_0()));
  EXPECT_TRUE(SystemVersion{}.IsAtMost4_0());
}

}  // namespace
}  // namespace koru
