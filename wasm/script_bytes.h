// Bytes between the module and JavaScript: texts cross as Uint8Array, so
// that any byte (NUL, bytes that are not UTF-8) arrives as it was.
#pragma once

#include <emscripten/val.h>

#include <string>

namespace coredesign::wasm {

// A copy of `bytes` that JavaScript owns (a view of the module's memory
// would change under it).
inline emscripten::val Bytes(const std::string& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    return emscripten::val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), data));
}

// The bytes of a Uint8Array, or nothing when the answer is not one.
inline std::string FromBytes(const emscripten::val& bytes) {
    return bytes.instanceof (emscripten::val::global("Uint8Array")) ? bytes.as<std::string>() : std::string();
}

}  // namespace coredesign::wasm
