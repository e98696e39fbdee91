#pragma once
// Moving bytes and option fields between the page's JavaScript values and
// C++, shared by every bindings file.

#include <emscripten/val.h>

#include <string>

namespace skarnwald::web {

// A copy of `text` as a Uint8Array: a view would point into memory that is
// freed when the call returns.
inline emscripten::val Bytes(const std::string& text) {
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    return emscripten::val::global("Uint8Array").new_(emscripten::typed_memory_view(text.size(), data));
}

// A Uint8Array's bytes, copied by the engine in one go; binding a
// std::string parameter instead copies them byte by byte in JavaScript.
inline std::string BytesOf(const emscripten::val& array) {
    std::string bytes(array["length"].as<std::size_t>(), '\0');
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    emscripten::val(emscripten::typed_memory_view(bytes.size(), data)).call<void>("set", array);
    return bytes;
}

// A text field of an options object; empty when it is missing or no text.
inline std::string TextField(const emscripten::val& object, const char* name) {
    const emscripten::val value = object[name];
    return value.isString() ? value.as<std::string>() : std::string();
}

} // namespace skarnwald::web
