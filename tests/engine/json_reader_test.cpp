// The JSON reader: what it takes and decodes exactly, what it refuses and
// where, and the UTF-8 check beneath it.
#include "json_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace coredesign::json {
namespace {

TEST(JsonReader, DecodesEveryEscapeAndKeepsNumbersAsWritten) {
    ReadError error;
    const std::optional<Value> v = Parse(
        "\xEF\xBB\xBF {\"t\": \"\\u00e9\\ud83d\\ude00\\/\\b\\f\\n\\r\\t\\\"\\\\\\u0000\xE4\xB8\xAD\", "
        "\"n\": [-0, 1.5e-3, 0.25, 1E+2, 10], \"l\": [true, false, null, {}, []]}\r\n",
        error);
    ASSERT_TRUE(v) << error.what;
    ASSERT_EQ(v->members.size(), 3u);
    EXPECT_EQ(v->members[0].value.text, std::string("\xC3\xA9\xF0\x9F\x98\x80/\b\f\n\r\t\"\\") + '\0' + "\xE4\xB8\xAD");
    std::string numbers;
    for (const Value& n : v->members[1].value.items) numbers += n.text + " ";
    EXPECT_EQ(numbers, "-0 1.5e-3 0.25 1E+2 10 ");
    const std::vector<Value>& l = v->members[2].value.items;
    ASSERT_EQ(l.size(), 5u);
    EXPECT_TRUE(l[0].kind == Value::Kind::Bool && l[0].boolean);
    EXPECT_TRUE(l[1].kind == Value::Kind::Bool && !l[1].boolean);
    EXPECT_EQ(l[2].kind, Value::Kind::Null);
    EXPECT_EQ(l[3].kind, Value::Kind::Object);
    EXPECT_EQ(l[4].kind, Value::Kind::Array);
}

TEST(JsonReader, RefusesWhatIsNotJsonSayingWhereAndWhy) {
    const std::string deepest(kMaxDepth, '['), tooDeep(kMaxDepth + 1, '[');
    const struct {
        std::string text;
        const char* what;  // empty: taken
        int line, column;
        bool truncated;
    } cases[] = {
        {deepest + std::string(kMaxDepth, ']'), "", 0, 0, false},
        {tooDeep + std::string(kMaxDepth + 1, ']'), "it nests more than 64 levels deep", 1, 65, false},
        {std::string(100000, '['), "it nests more than 64 levels deep", 1, 65, false},
        {"{\"a\": 1,\n \"b\": tru", "it ends before its JSON is complete", 2, 10, true},
        {"{\"a\": \"\\ud83d", "it ends before its JSON is complete", 1, 14, true},
        {"[1, 2", "it ends before its JSON is complete", 1, 6, true},
        {"", "it ends before its JSON is complete", 1, 1, true},
        {"{\"a\": 1,}", "'}' stands where a key in quotes belongs", 1, 9, false},
        {"[1 2]", "'2' stands where ',' or ']' belongs", 1, 4, false},
        {"{\"a\" 1}", "'1' stands where ':' belongs", 1, 6, false},
        {"[01]", "a number is not written as JSON writes numbers", 1, 2, false},
        {"[1.]", "a number is not written as JSON writes numbers", 1, 2, false},
        {"[.5]", "'.' stands where a value belongs", 1, 2, false},
        {"[+1]", "'+' stands where a value belongs", 1, 2, false},
        {"[1e]", "a number is not written as JSON writes numbers", 1, 2, false},
        {"[nul]", "'n' stands where a value belongs", 1, 2, false},
        {"\"a\x01\"", "a control character (U+0001) stands unescaped in a text", 1, 3, false},
        {"\"\\x\"", "\\x is no escape of JSON", 1, 2, false},
        {"\"\\u12g4\"", "a \\u escape needs four hexadecimal digits", 1, 6, false},
        {"\"\\ud800x\"", "a \\u escape names the first half of a surrogate pair alone", 1, 2, false},
        {"\"\\ud800\\u0041\"", "a \\u escape names the first half of a surrogate pair alone", 1, 2, false},
        {"[\"\\udc00\"]", "a \\u escape names the second half of a surrogate pair alone", 1, 3, false},
        {"{} {}", "more follows after the JSON value", 1, 4, false},
        {"[\"\xC3\xA9\", \xE2\x82\xAC]", "U+20AC stands where a value belongs", 1, 7, false},
        {"\"\xC0\xAF\"", "it is not UTF-8 text", 1, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        ReadError error;
        const bool taken = Parse(c.text, error).has_value();
        EXPECT_EQ(taken, std::string(c.what).empty());
        if (taken) continue;
        EXPECT_EQ(error.what, c.what);
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(error.column, c.column);
        EXPECT_EQ(error.truncated, c.truncated);
    }
}

TEST(JsonReader, Utf8IsExact) {
    const struct {
        std::string text;
        bool utf8;
        std::size_t at;  // the first fault
    } cases[] = {
        {"a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", true, 14},
        {"a\xC0\xAF", false, 1},         // overlong '/'
        {"\xE0\x80\x80", false, 0},      // overlong NUL
        {"ab\xED\xA0\x80", false, 2},    // a surrogate
        {"\xF4\x90\x80\x80", false, 0},  // above U+10FFFF
        {"\xF5\x80\x80\x80", false, 0},  // no such lead byte
        {"\xE2\x82", false, 0},          // cut short
        {"\xE2\x82x", false, 0},         // not continued
        {"\x80", false, 0},              // a lone continuation byte
    };
    for (const auto& c : cases) {
        std::size_t at = 99;
        EXPECT_EQ(IsUtf8(c.text, &at), c.utf8) << c.text;
        EXPECT_EQ(at, c.at) << c.text;
    }
}

}  // namespace
}  // namespace coredesign::json
