// The documents of headless/document.h built as Python values: objects as
// dicts (in the document's order of keys), arrays as lists, figures as float
// (None when not finite), integers as int, flags as bool, texts as str (a
// byte that is not part of valid UTF-8 as the lone surrogate that escapes it,
// as Python reads such bytes). Used with the GIL held.
#pragma once

#include <pybind11/pybind11.h>

#include <string_view>
#include <vector>

#include "json_writer.h"

namespace coredesign::python {

class ObjectWriter final : public cli::DocumentWriter {
public:
    ObjectWriter() { items_.reserve(256); }
    ObjectWriter(const ObjectWriter&) = delete;
    ObjectWriter& operator=(const ObjectWriter&) = delete;
    ~ObjectWriter() override;

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

    // The document written (None before anything is).
    pybind11::object Result() const { return result_; }

private:
    // A value of the open object or array (a new reference), or the document.
    void Put(PyObject* value);
    void Close(bool object);

    // The values (and, in objects, the keys before them) of the open objects
    // and arrays, innermost last: each becomes a dict or list of its exact
    // size when it closes. Values are owned, keys borrowed from the key cache.
    std::vector<PyObject*> items_;
    std::vector<std::size_t> open_;  // where each open object's or array's items begin
    pybind11::object result_ = pybind11::none();
};

// The str of a text, as ObjectWriter writes texts: a new reference, or null
// with Python's error set.
PyObject* TextObject(std::string_view text);

}  // namespace coredesign::python
