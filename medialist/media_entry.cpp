#include "medialist/media_entry.h"

#include <charconv>

namespace koru {

int MediaEntry::RateValue() const {
  int value = 0;
  const char* end = rate.data() + rate.size();
  const auto [stop, error] = std::from_chars(rate.data(), end, value);
  // The rate comes from list files too: anything but a plain decimal number,
  // one that overflows included, counts as no rate.
  if (error != std::errc() || stop != end) return 0;
  return value;
}

}  // namespace koru
