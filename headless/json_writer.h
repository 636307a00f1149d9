// The documents of the command-line front end (a run, --explore, the
// curve) are written once, to a DocumentWriter: the JSON writer below makes
// their text, another front end may build its own values from the same calls
// (the Python module builds dicts and lists).
#pragma once

#include <string>
#include <string_view>

namespace coredesign::cli {

// Objects, arrays, keys and values, in document order.
class DocumentWriter {
public:
    virtual ~DocumentWriter() = default;
    virtual void BeginObject() = 0;
    virtual void EndObject() = 0;
    virtual void Key(std::string_view key) = 0;
    virtual void String(std::string_view value) = 0;
    virtual void Number(double value) = 0;  // a figure; not finite: null
    virtual void Integer(long long value) = 0;
    virtual void Bool(bool value) = 0;
    virtual void Null() = 0;
    virtual void BeginArray() = 0;
    virtual void EndArray() = 0;
};

// A minimal JSON writer: objects, strings, numbers with 17 significant
// digits (non-finite as null), integers, booleans; two blanks of indent, or
// with `oneLine` everything on one line without blanks (JSON Lines).
class JsonWriter final : public DocumentWriter {
public:
    explicit JsonWriter(bool oneLine = false) : oneLine_(oneLine) {}

    void BeginObject() override;
    void EndObject() override;
    void Key(std::string_view key) override;
    void String(std::string_view value) override;
    void Number(double value) override;
    void Integer(long long value) override;
    void Bool(bool value) override;
    void Null() override;
    void BeginArray() override;
    void EndArray() override;

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    void Indent();

    bool oneLine_;
    std::string out_;
    int depth_ = 0;
    bool first_ = true;
    bool afterKey_ = false;
};

std::string JsonEscape(std::string_view text);

}  // namespace coredesign::cli
