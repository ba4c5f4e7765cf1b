// Raw deflate data (as ZIP stores it) expanded to exactly `size` bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace koru::doubles {

std::optional<std::string> InflateRaw(std::string_view packed, std::uint32_t size);

}  // namespace koru::doubles
