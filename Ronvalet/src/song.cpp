#include "song.h"

#include <cstring>

namespace ronvalet {

uint32_t Song::sysexSize(const Event& e) const {
    uint32_t size;
    std::memcpy(&size, bytes.data() + e.data - sizeof size, sizeof size);
    return size;
}

}  // namespace ronvalet
