#pragma once
// A tiny streaming JSON writer: objects and arrays with comma handling, written into a
// string (the --dump lines).
#include <cstdint>
#include <string>

class JsonOut {
  public:
    explicit JsonOut(std::string& out) : out_(out) {}
    JsonOut& Key(const char* key);  // inside an object: "key":
    JsonOut& BeginObject();
    JsonOut& EndObject();
    JsonOut& BeginArray();
    JsonOut& EndArray();
    JsonOut& Int(int64_t v);
    JsonOut& Bool(bool v);
    JsonOut& Double(double v);
    JsonOut& Str(const std::string& v);
    // Key plus value in one call.
    JsonOut& Field(const char* key, int64_t v) { return Key(key).Int(v); }
    JsonOut& FieldBool(const char* key, bool v) { return Key(key).Bool(v); }
    JsonOut& FieldStr(const char* key, const std::string& v) { return Key(key).Str(v); }
    // Key plus an array of the integers of a range.
    template <class Range>
    JsonOut& IntArray(const char* key, const Range& values) {
        Key(key).BeginArray();
        for (const auto& v : values) Int(static_cast<int64_t>(v));
        return EndArray();
    }

  private:
    void Separator();
    std::string& out_;
    bool needComma_ = false;
};
