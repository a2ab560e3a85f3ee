#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kyr::sim {

// The sizes (command byte included, CRC excluded) a request of the command in
// request[0] may have. nullopt for a command code the link does not know; an empty list
// while the count byte that decides the size has not arrived yet.
std::optional<std::vector<std::size_t>> requestSizes(std::span<const std::uint8_t> request);

// The longest request the link sends (its transmit buffer holds 254 request bytes).
inline constexpr std::size_t MaxRequestSize = 254;

}  // namespace kyr::sim
