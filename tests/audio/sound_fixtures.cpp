#include "audio/sound_fixtures.h"

#include "audio/collection.h"

namespace sndtest {

std::vector<int16_t> Ramp(size_t n) {
    std::vector<int16_t> s(n);
    for (size_t i = 0; i < n; ++i) s[i] = int16_t(int32_t(i * 97 % 60000) - 30000);
    return s;
}

std::vector<uint8_t> MonoWave(size_t frames, uint32_t rate) {
    return zvtools::MakeWaveImage(Ramp(frames), 1, rate);
}

zvtools::CollectionItem Item(const std::string& name, int32_t maximum, bool looped, uint32_t ms) {
    return {name, looped, maximum, MonoWave(size_t(22050) * ms / 1000, 22050)};
}

Bytes& Bytes::Raw(const std::string& s) {
    v.insert(v.end(), s.begin(), s.end());
    return *this;
}
Bytes& Bytes::U8(uint8_t b) {
    v.push_back(b);
    return *this;
}
Bytes& Bytes::U16(uint16_t x) { return U8(uint8_t(x)).U8(uint8_t(x >> 8)); }
Bytes& Bytes::U32(uint32_t x) { return U16(uint16_t(x)).U16(uint16_t(x >> 16)); }
Bytes& Bytes::Short(const std::string& s) { return U8(uint8_t(s.size())).Raw(s); }
Bytes& Bytes::Append(const std::vector<uint8_t>& more) {
    v.insert(v.end(), more.begin(), more.end());
    return *this;
}

Bytes CollectionHead() {
    Bytes b;
    b.Raw("TPF0").Short("TWaveCollectionComponent").Short("").Short("List").U8(
        ValueTag::Collection);
    return b;
}

Bytes& CollectionTail(Bytes& b) { return b.U8(0).U8(0).U8(0); }

}  // namespace sndtest
