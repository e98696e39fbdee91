#pragma once
// The one place where text of unknown encoding becomes the program's UTF-8.
// Every text that enters the program (report files, standard input, typed or
// pasted text, planning lists, settings, database rows) passes through
// NormaliseText once; everything after it counts bytes of UTF-8 and never
// decodes again.

#include <string>
#include <string_view>

namespace skarnwald {

// True when `bytes` is well-formed UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF, no truncated sequence.
bool IsValidUtf8(std::string_view bytes);

// The length of the well-formed multi-byte UTF-8 sequence at `i`, or 0 when
// the bytes there are none (an ASCII byte included).
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t i);

// Appends a code point of the Basic Multilingual Plane as UTF-8.
void AppendCodePoint(std::string& out, char32_t cp);

// `bytes` as UTF-8. Valid UTF-8 stays as it is, less leading byte-order
// marks; anything else is read as a whole as Windows-1252 (its five unassigned
// bytes as the code points of the same value) and re-encoded. The result is
// always valid UTF-8, and normalising it again changes nothing.
std::string NormaliseText(std::string_view bytes);

// The same in place, without copying text that is already UTF-8.
void NormaliseTextInPlace(std::string& text);

// `piece` without the parts of characters that cutting it out of UTF-8 text at
// byte positions left at its start and end. Report fields are cut by byte
// arithmetic around ASCII separators; on odd input a cut can fall inside a
// character, and half a character must not reach a page or the database.
std::string_view TrimPartialCharacters(std::string_view piece);

} // namespace skarnwald
