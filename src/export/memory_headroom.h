#pragma once

#include <cstddef>

namespace velmora {

// Room Qt's painting needs beyond the picture itself: its stroker and encoders grow buffers
// without checking the allocation, so a painting that starts with less than this may crash
// instead of failing. Painting starts only when the room is there.
inline constexpr std::size_t kPaintingHeadroomBytes = std::size_t{64} << 20;

// Whether `bytes` more can be allocated now (tried and given back at once).
bool HasMemoryHeadroom(std::size_t bytes = kPaintingHeadroomBytes);

}  // namespace velmora
