// Turns bytes built by a constexpr function into a constant array, so a
// serialised template or blob can live in the program's read-only data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Build: a constexpr callable answering std::vector<uint8_t>.
template <auto Build>
constexpr auto Freeze() {
  constexpr size_t n = Build().size();
  std::array<uint8_t, n> out{};
  const auto bytes = Build();
  for (size_t i = 0; i < n; ++i) out[i] = bytes[i];
  return out;
}
