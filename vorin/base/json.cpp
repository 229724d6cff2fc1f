#include "base/json.h"

#include <cmath>
#include <cstdio>

void JsonOut::Separator() {
    if (needComma_) out_ += ',';
    needComma_ = false;
}

JsonOut& JsonOut::Key(const char* key) {
    Separator();
    Str(key);
    out_ += ':';
    needComma_ = false;
    return *this;
}

JsonOut& JsonOut::BeginObject() {
    Separator();
    out_ += '{';
    return *this;
}

JsonOut& JsonOut::EndObject() {
    out_ += '}';
    needComma_ = true;
    return *this;
}

JsonOut& JsonOut::BeginArray() {
    Separator();
    out_ += '[';
    return *this;
}

JsonOut& JsonOut::EndArray() {
    out_ += ']';
    needComma_ = true;
    return *this;
}

JsonOut& JsonOut::Int(int64_t v) {
    Separator();
    out_ += std::to_string(v);
    needComma_ = true;
    return *this;
}

JsonOut& JsonOut::Bool(bool v) {
    Separator();
    out_ += v ? "true" : "false";
    needComma_ = true;
    return *this;
}

JsonOut& JsonOut::Double(double v) {
    Separator();
    if (!std::isfinite(v)) {
        out_ += "null";
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        out_ += buf;
    }
    needComma_ = true;
    return *this;
}

JsonOut& JsonOut::Str(const std::string& v) {
    Separator();
    out_ += '"';
    for (unsigned char c : v) {
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out_ += buf;
        } else {
            out_ += static_cast<char>(c);
        }
    }
    out_ += '"';
    needComma_ = true;
    return *this;
}
