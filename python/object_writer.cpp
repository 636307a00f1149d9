#include "object_writer.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace py = pybind11;

namespace coredesign::python {
namespace {

[[noreturn]] void Raise() {
    throw py::error_already_set();
}

// The documents' keys, each made once as an interned str and kept for the
// life of the process: every document of a kind has the same keys, so a
// call looks them up instead of making them again. Most keys are written
// from the same texts in the program (literals, the record's field table),
// so the text's address finds its str first; the text itself decides.
// Read and filled only with the GIL held.
PyObject* KeyObject(std::string_view key) {
    struct Recent {
        const char* address = nullptr;
        std::string_view text;  // the str's own bytes
        PyObject* object = nullptr;
    };
    static Recent recent[1024];
    Recent& slot = recent[(reinterpret_cast<std::uintptr_t>(key.data()) >> 3 ^ key.size()) % 1024];
    if (slot.address == key.data() && slot.text == key) return slot.object;

    static auto* keys = new std::unordered_map<std::string_view, PyObject*>();
    auto found = keys->find(key);
    if (found == keys->end()) {
        PyObject* made = TextObject(key);
        if (!made) Raise();
        PyUnicode_InternInPlace(&made);
        Py_ssize_t size = 0;
        const char* text = PyUnicode_AsUTF8AndSize(made, &size);  // lasts as long as the str: for ever
        if (!text) Raise();
        found = keys->emplace(std::string_view(text, static_cast<std::size_t>(size)), made).first;
    }
    slot = {key.data(), found->first, found->second};
    return found->second;
}

}  // namespace

PyObject* TextObject(std::string_view text) {
    bool ascii = true;
    for (const char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii) return PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
    PyObject* made = PyUnicode_New(static_cast<Py_ssize_t>(text.size()), 127);
    if (made && !text.empty()) std::memcpy(PyUnicode_1BYTE_DATA(made), text.data(), text.size());
    return made;
}

ObjectWriter::~ObjectWriter() {
    for (PyObject* item : items_) Py_DECREF(item);
}

void ObjectWriter::Put(PyObject* value) {
    if (!value) Raise();
    if (open_.empty())
        result_ = py::reinterpret_steal<py::object>(value);
    else
        items_.push_back(value);
}

void ObjectWriter::Close(bool object) {
    const std::size_t begin = open_.back();
    open_.pop_back();
    const auto count = static_cast<Py_ssize_t>(items_.size() - begin);
    PyObject* container = object ? _PyDict_NewPresized(count / 2) : PyList_New(count);
    if (!container) Raise();
    PyObject** item = items_.data() + begin;
    bool made = true;
    if (object) {
        for (Py_ssize_t k = 0; k < count; k += 2) made = made && PyDict_SetItem(container, item[k], item[k + 1]) == 0;
        for (Py_ssize_t k = 0; k < count; ++k) Py_DECREF(item[k]);
    } else {
        for (Py_ssize_t k = 0; k < count; ++k) PyList_SET_ITEM(container, k, item[k]);  // the list takes them
    }
    items_.resize(begin);
    if (!made) {
        Py_DECREF(container);
        Raise();
    }
    Put(container);
}

void ObjectWriter::BeginObject() {
    open_.push_back(items_.size());
}

void ObjectWriter::EndObject() {
    Close(true);
}

void ObjectWriter::BeginArray() {
    open_.push_back(items_.size());
}

void ObjectWriter::EndArray() {
    Close(false);
}

void ObjectWriter::Key(std::string_view key) {
    PyObject* object = KeyObject(key);
    Py_INCREF(object);
    items_.push_back(object);
}

void ObjectWriter::String(std::string_view value) {
    Put(TextObject(value));
}

void ObjectWriter::Number(double value) {
    if (std::isfinite(value))
        Put(PyFloat_FromDouble(value));
    else
        Null();
}

void ObjectWriter::Integer(long long value) {
    Put(PyLong_FromLongLong(value));
}

void ObjectWriter::Bool(bool value) {
    Put(py::bool_(value).release().ptr());
}

void ObjectWriter::Null() {
    Put(py::none().release().ptr());
}

}  // namespace coredesign::python
