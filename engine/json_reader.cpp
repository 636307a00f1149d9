#include "json_reader.h"

#include <cstdint>
#include <cstdio>

namespace coredesign::json {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// The character at `at` as a message shows it: 'x', or U+XXXX for one
// that does not print.
std::string Shown(std::string_view text, std::size_t at) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c >= 0x21 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
    std::uint32_t cp = c;
    if (c >= 0xC0) {  // the text is known to be UTF-8 here
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        cp = c & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    }
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

class Reader {
public:
    Reader(std::string_view text, ReadError& error) : text_(text), error_(error) {}

    bool Read(Value& result);

private:
    bool Fail(std::string what, std::size_t at) {
        if (at >= text_.size()) {
            error_.truncated = true;
            what = "it ends before its JSON is complete";
        }
        error_.what = std::move(what);
        Place(at);
        return false;
    }
    bool Unexpected(std::size_t at, const char* wanted) {
        return Fail(at < text_.size() ? Shown(text_, at) + " stands where " + wanted + " belongs" : "", at);
    }
    void Place(std::size_t at) {
        error_.line = 1;
        error_.column = 1;
        for (std::size_t k = 0; k < at && k < text_.size(); ++k) {
            if (text_[k] == '\n') {
                ++error_.line;
                error_.column = 1;
            } else if (!IsContinuation(static_cast<unsigned char>(text_[k]))) {
                ++error_.column;
            }
        }
    }
    void SkipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }
    bool Literal(std::string_view word, Value& value, Value::Kind kind, bool boolean) {
        if (text_.substr(pos_, word.size()) != word) {
            // A word cut short by the end of the text is a truncated text.
            const std::string_view rest = text_.substr(pos_);
            return rest.size() < word.size() && word.substr(0, rest.size()) == rest ? Fail("", text_.size())
                                                                                    : Unexpected(pos_, "a value");
        }
        pos_ += word.size();
        value.kind = kind;
        value.boolean = boolean;
        return true;
    }
    bool Hex4(std::uint32_t& unit);
    bool String(std::string& out);
    bool Number(Value& value);
    bool Scalar(Value& value);
    bool Key(std::string& key);

    std::string_view text_;
    ReadError& error_;
    std::size_t pos_ = 0;
};

bool Reader::Hex4(std::uint32_t& unit) {
    unit = 0;
    for (int k = 0; k < 4; ++k, ++pos_) {
        if (pos_ >= text_.size()) return Fail("", pos_);
        const char c = text_[pos_];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) return Fail("a \\u escape needs four hexadecimal digits", pos_);
        unit = unit * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool Reader::String(std::string& out) {
    ++pos_;  // the opening quote
    out.clear();
    while (true) {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '"' && text_[pos_] != '\\' &&
               static_cast<unsigned char>(text_[pos_]) >= 0x20)
            ++pos_;
        out.append(text_.substr(start, pos_ - start));
        if (pos_ >= text_.size()) return Fail("", pos_);
        const char c = text_[pos_];
        if (c == '"') {
            ++pos_;
            return true;
        }
        if (c != '\\') return Fail("a control character (" + Shown(text_, pos_) + ") stands unescaped in a text", pos_);
        const std::size_t escape = pos_++;
        if (pos_ >= text_.size()) return Fail("", pos_);
        switch (text_[pos_++]) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                std::uint32_t unit = 0;
                if (!Hex4(unit)) return false;
                if (unit >= 0xDC00 && unit <= 0xDFFF)
                    return Fail("a \\u escape names the second half of a surrogate pair alone", escape);
                if (unit >= 0xD800 && unit <= 0xDBFF) {
                    if (pos_ + 1 < text_.size() && text_[pos_] == '\\' && text_[pos_ + 1] == 'u') {
                        pos_ += 2;
                        std::uint32_t low = 0;
                        if (!Hex4(low)) return false;
                        if (low < 0xDC00 || low > 0xDFFF)
                            return Fail("a \\u escape names the first half of a surrogate pair alone", escape);
                        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    } else if (pos_ + 1 >= text_.size()) {
                        return Fail("", text_.size());
                    } else {
                        return Fail("a \\u escape names the first half of a surrogate pair alone", escape);
                    }
                }
                AppendUtf8(out, unit);
                break;
            }
            default: return Fail("\\" + std::string(1, text_[pos_ - 1]) + " is no escape of JSON", escape);
        }
    }
}

bool Reader::Number(Value& value) {
    const std::size_t start = pos_;
    auto digits = [&] {
        const std::size_t from = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
        return pos_ - from;
    };
    auto bad = [&] { return Fail("a number is not written as JSON writes numbers", start); };
    if (text_[pos_] == '-') ++pos_;
    if (pos_ >= text_.size()) return Fail("", pos_);
    if (text_[pos_] == '0') {
        ++pos_;
    } else if (digits() == 0) {
        return bad();
    }
    if (pos_ < text_.size() && text_[pos_] == '.') {
        ++pos_;
        if (pos_ >= text_.size()) return Fail("", pos_);
        if (digits() == 0) return bad();
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
        ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
        if (pos_ >= text_.size()) return Fail("", pos_);
        if (digits() == 0) return bad();
    }
    if (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') return bad();  // 01
    value.kind = Value::Kind::Number;
    value.text.assign(text_.substr(start, pos_ - start));
    return true;
}

bool Reader::Scalar(Value& value) {
    const char c = text_[pos_];
    if (c == '"') {
        value.kind = Value::Kind::String;
        return String(value.text);
    }
    if (c == '-' || (c >= '0' && c <= '9')) return Number(value);
    if (c == 't') return Literal("true", value, Value::Kind::Bool, true);
    if (c == 'f') return Literal("false", value, Value::Kind::Bool, false);
    if (c == 'n') return Literal("null", value, Value::Kind::Null, false);
    return Unexpected(pos_, "a value");
}

bool Reader::Key(std::string& key) {
    SkipBlanks();
    if (pos_ >= text_.size()) return Fail("", pos_);
    if (text_[pos_] != '"') return Unexpected(pos_, "a key in quotes");
    if (!String(key)) return false;
    SkipBlanks();
    if (pos_ >= text_.size()) return Fail("", pos_);
    if (text_[pos_] != ':') return Unexpected(pos_, "':'");
    ++pos_;
    return true;
}

// The containers being read are kept on a stack of their own; each value
// read is added to the innermost one, and a container is added to the one
// around it when it closes.
bool Reader::Read(Value& result) {
    if (std::size_t at = 0; !IsUtf8(text_, &at)) {
        Fail("it is not UTF-8 text", at);
        error_.what = "it is not UTF-8 text";  // also where the last character is cut short
        error_.truncated = false;
        error_.notUtf8 = true;
        return false;
    }
    if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    struct Open {
        Value value;
        std::string key;  // an object's key of the value being read
    };
    std::vector<Open> open;
    Value done;
    bool haveValue = false;  // `done` holds a finished value to add to the innermost container
    while (true) {
        SkipBlanks();
        if (!haveValue) {
            if (pos_ >= text_.size()) return Fail("", pos_);
            const char c = text_[pos_];
            if (c != '{' && c != '[') {
                done = Value();
                if (!Scalar(done)) return false;
                haveValue = true;
                continue;
            }
            if (static_cast<int>(open.size()) >= kMaxDepth)
                return Fail("it nests more than " + std::to_string(kMaxDepth) + " levels deep", pos_);
            ++pos_;
            open.emplace_back();
            open.back().value.kind = c == '{' ? Value::Kind::Object : Value::Kind::Array;
            SkipBlanks();
            if (pos_ < text_.size() && text_[pos_] == (c == '{' ? '}' : ']')) {
                ++pos_;
                done = std::move(open.back().value);
                open.pop_back();
                haveValue = true;
            } else if (c == '{' && !Key(open.back().key)) {
                return false;
            }
            continue;
        }
        if (open.empty()) {
            if (pos_ < text_.size()) return Fail("more follows after the JSON value", pos_);
            result = std::move(done);
            return true;
        }
        Open& inner = open.back();
        const bool object = inner.value.kind == Value::Kind::Object;
        if (object)
            inner.value.members.push_back({std::move(inner.key), std::move(done)});
        else
            inner.value.items.push_back(std::move(done));
        done = Value();  // moved into its container
        haveValue = false;
        if (pos_ >= text_.size()) return Fail("", pos_);
        const char c = text_[pos_++];
        if (c == (object ? '}' : ']')) {
            done = std::move(inner.value);
            open.pop_back();
            haveValue = true;
        } else if (c != ',') {
            return Unexpected(pos_ - 1, object ? "',' or '}'" : "',' or ']'");
        } else if (object && !Key(inner.key)) {
            return false;
        }
    }
}

}  // namespace

std::optional<Value> Parse(std::string_view text, ReadError& error) {
    error = ReadError();
    Value value;
    if (!Reader(text, error).Read(value)) return std::nullopt;
    return value;
}

bool IsUtf8(std::string_view text, std::size_t* at) {
    std::size_t k = 0;
    while (k < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[k]);
        int length = 0;
        std::uint32_t cp = 0, lowest = 0;
        if (c < 0x80) {
            ++k;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2, cp = c & 0x1F, lowest = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3, cp = c & 0x0F, lowest = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4, cp = c & 0x07, lowest = 0x10000;
        } else {
            break;
        }
        if (k + static_cast<std::size_t>(length) > text.size()) break;
        bool continued = true;
        for (int n = 1; n < length; ++n) {
            const unsigned char next = static_cast<unsigned char>(text[k + n]);
            continued = continued && IsContinuation(next);
            cp = (cp << 6) | (next & 0x3F);
        }
        if (!continued || cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) break;
        k += static_cast<std::size_t>(length);
    }
    if (at) *at = k;
    return k == text.size();
}

std::string Quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
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
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

const char* KindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Null: return "null";
        case Value::Kind::Bool: return "true or false";
        case Value::Kind::Number: return "a number";
        case Value::Kind::String: return "a text";
        case Value::Kind::Array: return "a list";
        case Value::Kind::Object: return "an object";
    }
    return "";
}

}  // namespace coredesign::json
