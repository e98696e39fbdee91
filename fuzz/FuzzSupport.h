#pragma once
// What the fuzz targets share: the trap that reports a failed check to the
// fuzzer, and a page stream that keeps its room from input to input.

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>

namespace skarnwald::fuzzing {

inline void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

// A page written into one string the process keeps: an ostringstream would
// grow a new buffer, copying, for every input.
class PageStream : private std::streambuf, public std::ostream {
public:
    PageStream() : std::ostream(this) {}
    // Empties the page, keeping its room.
    PageStream& Restart() {
        page_.clear();
        return *this;
    }
    const std::string& Page() const { return page_; }

private:
    using Traits = std::streambuf::traits_type;

    std::streambuf::int_type overflow(std::streambuf::int_type c) override {
        if (!Traits::eq_int_type(c, Traits::eof()))
            page_.push_back(Traits::to_char_type(c));
        return Traits::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        page_.append(text, static_cast<std::size_t>(count));
        return count;
    }

    std::string page_;
};

} // namespace skarnwald::fuzzing
