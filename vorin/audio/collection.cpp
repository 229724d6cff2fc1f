#include "audio/collection.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

bool SameText(const std::string& a, const char* b) {
    const size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// A bounds-checked cursor over the stream; every read past the end throws.
class StreamReader {
public:
    explicit StreamReader(std::span<const uint8_t> data) : data_(data) {}

    size_t Pos() const { return pos_; }

    void Need(size_t n) const {
        if (data_.size() - pos_ < n) {
            throw EWaveReadError("stream ends early at offset " + std::to_string(pos_));
        }
    }
    uint8_t Byte() {
        Need(1);
        return data_[pos_++];
    }
    uint8_t PeekByte() const {
        Need(1);
        return data_[pos_];
    }
    uint32_t U32() {
        Need(4);
        const uint8_t* p = data_.data() + pos_;
        pos_ += 4;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    std::span<const uint8_t> Bytes(size_t n) {
        Need(n);
        auto s = data_.subspan(pos_, n);
        pos_ += n;
        return s;
    }
    std::string ShortString() {
        const size_t n = Byte();
        auto s = Bytes(n);
        return std::string(s.begin(), s.end());
    }

    // An integer value with its tag; false (nothing read) when the next tag is no integer.
    bool TryInteger(int32_t& value) {
        switch (PeekByte()) {
            case ValueTag::Int8:
                ++pos_;
                value = static_cast<int8_t>(Byte());
                return true;
            case ValueTag::Int16: {
                ++pos_;
                const uint8_t lo = Byte();
                value = static_cast<int16_t>(uint16_t(lo | Byte() << 8));
                return true;
            }
            case ValueTag::Int32:
                ++pos_;
                value = static_cast<int32_t>(U32());
                return true;
            default:
                return false;
        }
    }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};

[[noreturn]] void BadValue(const std::string& property, uint8_t tag) {
    throw EWaveReadError("invalid value (tag " + std::to_string(tag) + ") for property " +
                         property);
}

int32_t ReadInteger(StreamReader& r, const std::string& property) {
    int32_t v = 0;
    if (!r.TryInteger(v)) BadValue(property, r.PeekByte());
    return v;
}

std::string ReadString(StreamReader& r, const std::string& property) {
    const uint8_t tag = r.Byte();
    if (tag == ValueTag::String) return r.ShortString();
    if (tag == ValueTag::LString) {
        auto s = r.Bytes(r.U32());
        return std::string(s.begin(), s.end());
    }
    BadValue(property, tag);
}

bool ReadBoolean(StreamReader& r, const std::string& property) {
    const uint8_t tag = r.Byte();
    if (tag == ValueTag::False) return false;
    if (tag == ValueTag::True) return true;
    BadValue(property, tag);
}

std::string EntryLabel(size_t index, const TWaveEntry& e) {
    std::string label = "entry " + std::to_string(index);
    if (!e.Name.empty()) label += " '" + e.Name + "'";
    return label;
}

void ReadItem(StreamReader& r, TWaveEntry& e, size_t index) {
    while (r.PeekByte() != ValueTag::Null) {
        const std::string prop = r.ShortString();
        if (SameText(prop, "Name")) {
            e.Name = ReadString(r, prop);
        } else if (SameText(prop, "Looped")) {
            e.Looped = ReadBoolean(r, prop);
        } else if (SameText(prop, "MaxPlayingCount")) {
            e.MaxPlayingCount = std::max(ReadInteger(r, prop), 0);
        } else if (SameText(prop, "Wave.WAVE")) {
            const uint8_t tag = r.Byte();
            if (tag != ValueTag::Binary) BadValue(prop, tag);
            auto block = r.Bytes(r.U32());
            e.Wave.assign(block.begin(), block.end());
            try {
                e.Info = ParseWave(e.Wave);
            } catch (const EWaveReadError& err) {
                throw EWaveReadError(std::string(err.what()) + " (" + EntryLabel(index, e) + ")");
            }
        } else {
            throw EWaveReadError("property " + prop + " does not exist (" +
                                 EntryLabel(index, e) + ")");
        }
    }
    r.Byte();  // end of the item's properties
}

std::vector<TWaveEntry> ReadList(StreamReader& r) {
    std::vector<TWaveEntry> entries;
    while (r.PeekByte() != ValueTag::Null) {
        int32_t order = 0;
        r.TryInteger(order);  // an item's optional order value is ignored
        const uint8_t tag = r.Byte();
        if (tag != ValueTag::List) {
            throw EWaveReadError("collection item " + std::to_string(entries.size()) +
                                 " does not begin a list (tag " + std::to_string(tag) + ")");
        }
        entries.emplace_back();
        ReadItem(r, entries.back(), entries.size() - 1);
    }
    r.Byte();  // end of the collection
    return entries;
}

}  // namespace

std::vector<TWaveEntry> ReadWaveCollection(std::span<const uint8_t> stream) {
    StreamReader r(stream);
    auto sig = r.Bytes(4);
    if (std::memcmp(sig.data(), CollectionSignature, 4) != 0) {
        throw EWaveReadError("not an object stream (no TPF0 signature)");
    }
    if ((r.PeekByte() & StreamFlagsPrefix) == StreamFlagsPrefix) {
        const uint8_t flags = r.Byte();
        int32_t childPos = 0;
        if ((flags & StreamFlagChildPos) != 0 && !r.TryInteger(childPos)) {
            BadValue("child position", r.PeekByte());
        }
    }
    const std::string className = r.ShortString();
    if (!SameText(className, CollectionClassName)) {
        throw EWaveReadError("unexpected class " + className);
    }
    r.ShortString();  // the object's own name

    std::vector<TWaveEntry> entries;
    while (r.PeekByte() != ValueTag::Null) {
        const std::string prop = r.ShortString();
        if (SameText(prop, "List")) {
            const uint8_t tag = r.Byte();
            if (tag != ValueTag::Collection) BadValue(prop, tag);
            entries = ReadList(r);
        } else if (SameText(prop, "Tag")) {
            ReadInteger(r, prop);  // the component's Tag is ignored
        } else {
            throw EWaveReadError("property " + prop + " does not exist");
        }
    }
    r.Byte();  // end of the root's properties
    if (r.Byte() != ValueTag::Null) {
        throw EWaveReadError("the collection object has unexpected children");
    }
    return entries;
}
