#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Builds one JSON value on one line: integers as integers, doubles in their
// shortest round-trip form, strings escaped.
class JsonWriter {
  public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(bool v);
    JsonWriter& value(int64_t v);
    JsonWriter& value(double v);
    JsonWriter& value(std::string_view v);
    JsonWriter& null();

    const std::string& str() const { return out_; }

  private:
    void separate();

    std::string out_;
    std::vector<bool> first_;  // per open object/array: nothing written yet
    bool afterKey_ = false;
};

}  // namespace sim
