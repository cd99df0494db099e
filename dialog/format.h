// A small Fortran FORMAT engine, write side only.
//
// The generated program's lines, the terminal prompts and the internal writes that build
// subscripted names are all defined as Fortran FORMATs. Passing those texts verbatim to one
// engine keeps every quirk of Fortran output (a bare "     &" line after exactly 66
// characters, asterisks for an integer that does not fit, nothing written by a trailing nX)
// without a special case anywhere else.
//
// Supported: quoted literals ('' inside), nX, [r]A[w], [r]Iw, '/', [r](group), reversion to
// the last top-level group, and the end of output at the first data descriptor that finds
// no item left.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zemka {

// One output item: an integer for I editing, or a string for A editing.
class FItem {
public:
    FItem(int v) : value_(static_cast<long long>(v)) {}
    FItem(long long v) : value_(v) {}
    FItem(char c) : value_(std::string(1, c)) {}
    FItem(const char* s) : value_(std::string(s)) {}
    FItem(std::string s) : value_(std::move(s)) {}
    FItem(std::string_view s) : value_(std::string(s)) {}

    bool isInteger() const { return std::holds_alternative<long long>(value_); }
    long long integer() const { return std::get<long long>(value_); }
    const std::string& string() const { return std::get<std::string>(value_); }

private:
    std::variant<long long, std::string> value_;
};

using Items = std::vector<FItem>;

// Appends each character of s as its own item, for the "72A1" style of format.
void appendChars(Items& items, std::string_view s);

// Writes the items under the format; every finished record is handed to emit.
void formatWrite(std::string_view format, const Items& items,
                 const std::function<void(const std::string&)>& emit);

// Why the engine would refuse the format, or empty when it parses; writes nothing. The
// engine otherwise parses a format only when it is first written.
std::string formatFault(std::string_view format);

// The records a write produces, for tests and small callers.
std::vector<std::string> formatRecords(std::string_view format, const Items& items);

// An internal write into a character variable of the given width: the first record,
// padded with blanks or cut to that width.
std::string internalWrite(std::size_t width, std::string_view format, const Items& items);

}  // namespace zemka
