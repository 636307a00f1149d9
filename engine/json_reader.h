// A small, strict JSON reader for the files the program opens (design
// files), safe on any bytes: the text must be UTF-8 (a leading byte order
// mark is skipped), strings keep every character exactly (\u escapes with
// surrogate pairs decoded; a lone surrogate is refused), numbers are kept as
// written, and nesting is bounded. It reads without recursion, so no input
// can exhaust the stack; the caller bounds the input's size.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace coredesign::json {

// Arrays and objects nest at most this deep.
inline constexpr int kMaxDepth = 64;

struct Member;

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text;             // a string's characters (UTF-8), or a number as written
    std::vector<Value> items;     // an array's values
    std::vector<Member> members;  // an object's keys and values in the file's order; a repeated key stays repeated
};

struct Member {
    std::string key;
    Value value;
};

// Where and why a text is not JSON. `truncated`: the text ends before its
// value is complete; `notUtf8`: it is not UTF-8 text.
struct ReadError {
    std::string what;
    int line = 0;
    int column = 0;  // in characters, from 1
    bool truncated = false;
    bool notUtf8 = false;
};

// The value the whole of `text` holds, or nothing with the reason in `error`.
std::optional<Value> Parse(std::string_view text, ReadError& error);

// Whether `text` is well-formed UTF-8 (no overlong form, no surrogate, nothing
// above U+10FFFF); else the byte offset of the first fault in `at`.
bool IsUtf8(std::string_view text, std::size_t* at = nullptr);

// `text` as a JSON string, with its quotes: quote, backslash and control
// characters escaped, everything else as it stands.
std::string Quoted(std::string_view text);

// What a value is, as a message names it: "a text", "a number", "null" ...
const char* KindName(Value::Kind kind);

}  // namespace coredesign::json
