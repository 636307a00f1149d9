// A small strict JSON reader for checking the command line's documents: it
// refuses anything that is not JSON (bare NaN, trailing commas, raw control
// characters, text after the document). \u escapes are read for ASCII only,
// the only ones the command line writes.
#pragma once

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
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
    bool Eat(char c) {
        Space();
        if (i_ >= s_.size() || s_[i_] != c) return false;
        ++i_;
        return true;
    }
    bool EatWord(const std::string& w) {
        if (s_.compare(i_, w.size(), w) != 0) return false;
        i_ += w.size();
        return true;
    }
    // The members or items of an object or array, after its opening bracket.
    void Elements(Value& v, char close) {
        if (Eat(close)) return;
        do {
            if (v.kind == Value::Kind::Array) {
                v.items.push_back(Parse());
                continue;
            }
            Space();
            if (i_ >= s_.size() || s_[i_] != '"') Fail("expected a key");
            std::string key = String();
            if (!Eat(':')) Fail("expected ':'");
            v.members.emplace_back(std::move(key), Parse());
        } while (Eat(','));
        if (!Eat(close)) Fail(std::string("expected ',' or '") + close + "'");
    }
    Value Parse() {
        Space();
        if (i_ >= s_.size()) Fail("unexpected end");
        Value v;
        if (Eat('{')) {
            v.kind = Value::Kind::Object;
            Elements(v, '}');
        } else if (Eat('[')) {
            v.kind = Value::Kind::Array;
            Elements(v, ']');
        } else if (s_[i_] == '"') {
            v.kind = Value::Kind::String;
            v.text = String();
        } else if (EatWord("true")) {
            v.kind = Value::Kind::Bool;
            v.boolean = true;
        } else if (EatWord("false")) {
            v.kind = Value::Kind::Bool;
        } else if (!EatWord("null")) {
            v.kind = Value::Kind::Number;
            Number(v);
        }
        return v;
    }
    void Number(Value& v) {
        const size_t start = i_;
        auto digits = [&] {
            const size_t from = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            return i_ > from;
        };
        EatWord("-");
        if (!EatWord("0") && !digits()) Fail("bad number");
        if (EatWord(".") && !digits()) Fail("bad fraction");
        if (EatWord("e") || EatWord("E")) {
            if (!EatWord("+")) EatWord("-");
            if (!digits()) Fail("bad exponent");
        }
        v.text = s_.substr(start, i_ - start);
        v.number = std::strtod(v.text.c_str(), nullptr);
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
            const std::string simple = "\"\\/bfnrt", meaning = "\"\\/\b\f\n\r\t";
            if (simple.find(e) != std::string::npos) {
                out += meaning[simple.find(e)];
            } else if (e == 'u' && i_ + 4 <= s_.size() && s_.compare(i_, 2, "00") == 0 && s_[i_ + 2] < '8') {
                out += static_cast<char>(std::stoi(s_.substr(i_ + 2, 2), nullptr, 16));
                i_ += 4;
            } else {
                Fail("bad or non-ASCII escape");
            }
        }
    }

    const std::string& s_;
    size_t i_ = 0;
};

inline Value Parse(const std::string& text) {
    return Parser(text).Document();
}

}  // namespace minijson
