#include "common/wavefile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "audio/collection.h"

namespace zvtools {

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}

void PutShortString(std::vector<uint8_t>& out, const std::string& s) {
    if (s.size() > 255) throw std::runtime_error("name longer than 255 characters: " + s);
    out.push_back(uint8_t(s.size()));
    out.insert(out.end(), s.begin(), s.end());
}

// An integer value in the smallest tag that holds it, as the stream writer does.
void PutInteger(std::vector<uint8_t>& out, int32_t v) {
    if (v >= -128 && v <= 127) {
        out.push_back(ValueTag::Int8);
        out.push_back(uint8_t(int8_t(v)));
    } else if (v >= -32768 && v <= 32767) {
        out.push_back(ValueTag::Int16);
        Put16(out, uint16_t(int16_t(v)));
    } else {
        out.push_back(ValueTag::Int32);
        Put32(out, uint32_t(v));
    }
}

void PutString(std::vector<uint8_t>& out, const std::string& s) {
    if (s.size() <= 255) {
        out.push_back(ValueTag::String);
        PutShortString(out, s);
    } else {
        out.push_back(ValueTag::LString);
        Put32(out, uint32_t(s.size()));
        out.insert(out.end(), s.begin(), s.end());
    }
}

}  // namespace

std::vector<uint8_t> MakeWaveImage(const std::vector<int16_t>& samples, uint16_t channels,
                                   uint32_t rate) {
    constexpr uint16_t bits = 16;
    const uint16_t blockAlign = uint16_t(channels * bits / 8);
    const uint32_t dataBytes = uint32_t(samples.size() * sizeof(int16_t));
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, channels);
    Put32(out, rate);
    Put32(out, rate * blockAlign);
    Put16(out, blockAlign);
    Put16(out, bits);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : samples) Put16(out, uint16_t(s));
    return out;
}

std::vector<uint8_t> WriteWaveCollection(const std::vector<CollectionItem>& items) {
    std::vector<uint8_t> out;
    PutTag(out, CollectionSignature);
    PutShortString(out, CollectionClassName);
    PutShortString(out, "");  // the component's own name
    PutShortString(out, "List");
    out.push_back(ValueTag::Collection);
    for (const CollectionItem& item : items) {
        out.push_back(ValueTag::List);
        PutShortString(out, "Name");
        PutString(out, item.name);
        PutShortString(out, "Looped");
        out.push_back(item.looped ? ValueTag::True : ValueTag::False);
        PutShortString(out, "MaxPlayingCount");
        PutInteger(out, item.maxPlayingCount);
        PutShortString(out, "Wave.WAVE");
        out.push_back(ValueTag::Binary);
        Put32(out, uint32_t(item.wave.size()));
        out.insert(out.end(), item.wave.begin(), item.wave.end());
        out.push_back(ValueTag::Null);  // end of the item's properties
    }
    out.push_back(ValueTag::Null);  // end of the collection
    out.push_back(ValueTag::Null);  // end of the root's properties
    out.push_back(ValueTag::Null);  // no children
    return out;
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            throw std::runtime_error("cannot write " + temp);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::remove(temp.c_str());
        throw std::runtime_error("cannot rename " + temp + " to " + path + ": " + ec.message());
    }
}

}  // namespace zvtools
