// A small strict JSON reader for checking the command line's documents:
// it accepts exactly RFC 8259 JSON and fails on anything else.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace minijson {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // a string, or a number's own digits
    std::vector<Value> items;
    std::vector<std::pair<std::string, Value>> members;  // in document order

    bool IsNull() const { return kind == Kind::Null; }
    const Value& operator[](const std::string& key) const {
        for (const auto& [k, v] : members)
            if (k == key) return v;
        throw std::out_of_range("no member '" + key + "'");
    }
    bool Has(const std::string& key) const {
        for (const auto& m : members)
            if (m.first == key) return true;
        return false;
    }
};

class Parser {
public:
    explicit Parser(const std::string& s) : s_(s) {}

    Value Document() {
        Value v = Parse();
        Space();
        if (i_ != s_.size()) Fail("text after the document");
        return v;
    }

private:
    [[noreturn]] void Fail(const std::string& what) {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(i_));
    }
    void Space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r')) ++i_;
    }
    bool Eat(const char* word) {
        const std::string w(word);
        if (s_.compare(i_, w.size(), w) != 0) return false;
        i_ += w.size();
        return true;
    }
    Value Parse() {
        if (++depth_ > 64) Fail("too deep");
        Space();
        if (i_ >= s_.size()) Fail("unexpected end");
        Value v;
        const char c = s_[i_];
        if (c == '{') {
            v.kind = Value::Kind::Object;
            ++i_;
            Space();
            if (i_ < s_.size() && s_[i_] == '}') {
                ++i_;
            } else {
                for (;;) {
                    Space();
                    if (i_ >= s_.size() || s_[i_] != '"') Fail("expected a key");
                    std::string key = String();
                    Space();
                    if (i_ >= s_.size() || s_[i_] != ':') Fail("expected ':'");
                    ++i_;
                    v.members.emplace_back(key, Parse());
                    Space();
                    if (i_ < s_.size() && s_[i_] == ',') {
                        ++i_;
                        continue;
                    }
                    if (i_ < s_.size() && s_[i_] == '}') {
                        ++i_;
                        break;
                    }
                    Fail("expected ',' or '}'");
                }
            }
        } else if (c == '[') {
            v.kind = Value::Kind::Array;
            ++i_;
            Space();
            if (i_ < s_.size() && s_[i_] == ']') {
                ++i_;
            } else {
                for (;;) {
                    v.items.push_back(Parse());
                    Space();
                    if (i_ < s_.size() && s_[i_] == ',') {
                        ++i_;
                        continue;
                    }
                    if (i_ < s_.size() && s_[i_] == ']') {
                        ++i_;
                        break;
                    }
                    Fail("expected ',' or ']'");
                }
            }
        } else if (c == '"') {
            v.kind = Value::Kind::String;
            v.text = String();
        } else if (Eat("null")) {
            v.kind = Value::Kind::Null;
        } else if (Eat("true")) {
            v.kind = Value::Kind::Bool;
            v.boolean = true;
        } else if (Eat("false")) {
            v.kind = Value::Kind::Bool;
        } else {
            v.kind = Value::Kind::Number;
            Number(v);
        }
        --depth_;
        return v;
    }
    void Number(Value& v) {
        const size_t start = i_;
        auto digits = [&] {
            const size_t from = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            return i_ > from;
        };
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        if (i_ < s_.size() && s_[i_] == '0')
            ++i_;
        else if (!digits())
            Fail("bad number");
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            if (!digits()) Fail("bad fraction");
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            if (!digits()) Fail("bad exponent");
        }
        v.text = s_.substr(start, i_ - start);
        v.number = std::strtod(v.text.c_str(), nullptr);
    }
    unsigned Hex4() {
        if (i_ + 4 > s_.size()) Fail("short \\u escape");
        unsigned u = 0;
        for (int k = 0; k < 4; ++k) {
            const char h = s_[i_++];
            u <<= 4;
            if (h >= '0' && h <= '9')
                u |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f')
                u |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                u |= static_cast<unsigned>(h - 'A' + 10);
            else
                Fail("bad \\u escape");
        }
        return u;
    }
    static void Utf8(std::string& out, std::uint32_t cp) {
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
    std::string String() {
        ++i_;  // the opening quote
        std::string out;
        for (;;) {
            if (i_ >= s_.size()) Fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(s_[i_++]);
            if (c == '"') return out;
            if (c < 0x20) Fail("raw control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (i_ >= s_.size()) Fail("unterminated escape");
            const char e = s_[i_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    std::uint32_t cp = Hex4();
                    if (cp >= 0xD800 && cp < 0xDC00) {
                        if (!Eat("\\u")) Fail("lone surrogate");
                        const std::uint32_t low = Hex4();
                        if (low < 0xDC00 || low >= 0xE000) Fail("bad surrogate pair");
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    Utf8(out, cp);
                    break;
                }
                default: Fail("bad escape");
            }
        }
    }

    const std::string& s_;
    size_t i_ = 0;
    int depth_ = 0;
};

inline Value Parse(const std::string& text) {
    return Parser(text).Document();
}

}  // namespace minijson
