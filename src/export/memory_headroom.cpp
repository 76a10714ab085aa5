#include "export/memory_headroom.h"

#include <cstdlib>

namespace velmora {

bool HasMemoryHeadroom(std::size_t bytes) {
    // A block this large is mapped on its own and never touched: trying costs no real memory,
    // only the address space a limit (ulimit -v) counts.
    void* block = std::malloc(bytes);
    if (block == nullptr) return false;
    std::free(block);
    return true;
}

}  // namespace velmora
