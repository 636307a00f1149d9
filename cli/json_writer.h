// A minimal JSON writer: objects, strings, numbers with 17 significant
// digits (non-finite as null), integers, booleans.
#pragma once

#include <string>
#include <string_view>

namespace coredesign::cli {

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void Key(std::string_view key);
    void String(std::string_view value);
    void Number(double value);
    void Integer(long long value);
    void Bool(bool value);
    void Null();
    void BeginArray();
    void EndArray();

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    void Indent();

    std::string out_;
    int depth_ = 0;
    bool first_ = true;
    bool afterKey_ = false;
};

std::string JsonEscape(std::string_view text);

}  // namespace coredesign::cli
