#include "json_writer.h"

#include <cmath>
#include <cstdio>

#include "numtext.h"

namespace coredesign::cli {

std::string JsonEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::Indent() {
    out_ += '\n';
    out_.append(static_cast<size_t>(depth_) * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (depth_ > 0) {
        if (!first_) out_ += ',';
        Indent();
    }
    first_ = false;
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    ++depth_;
    first_ = true;
}

void JsonWriter::EndObject() {
    --depth_;
    if (!first_) Indent();
    out_ += '}';
    first_ = false;
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    ++depth_;
    first_ = true;
}

void JsonWriter::EndArray() {
    --depth_;
    if (!first_) Indent();
    out_ += ']';
    first_ = false;
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out_ += JsonEscape(key);
    out_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(std::string_view value) {
    BeforeValue();
    out_ += JsonEscape(value);
}

void JsonWriter::Number(double value) {
    BeforeValue();
    if (!std::isfinite(value)) {
        out_ += "null";
        return;
    }
    out_ += FormatSignificant(value, 17);
}

void JsonWriter::Integer(long long value) {
    BeforeValue();
    out_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

}  // namespace coredesign::cli
