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

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace zemka {

// One output item: an integer for I editing, or a string for A editing. It refers to the
// text it is made of, so it lives no longer than the expression that makes it (Items copies).
class FItem {
public:
    FItem(int v) : integer_(v), isInteger_(true) {}
    FItem(long long v) : integer_(v), isInteger_(true) {}
    FItem(const char* s) : text_(s) {}
    FItem(const std::string& s) : text_(s) {}
    FItem(std::string_view s) : text_(s) {}

    bool isInteger() const { return isInteger_; }
    long long integer() const { return integer_; }
    std::string_view string() const { return text_; }

private:
    std::string_view text_;
    long long integer_ = 0;
    bool isInteger_ = false;
};

// The items of one write, in order. A line written in the "72A1" style is one item per
// character; Items keeps such a run as one piece of text, so that the engine puts it into the
// record as a whole instead of character by character. A usual write's items are kept in
// place, without a heap allocation.
class Items {
public:
    Items() = default;
    Items(std::initializer_list<FItem> items) {
        for (const FItem& item : items) push_back(item);
    }
    template <class It> Items(It first, It last) {
        for (; first != last; ++first) push_back(FItem(*first));
    }

    void push_back(const FItem& item) {
        if (item.isInteger()) {
            add({Piece::integer, item.integer(), 0, 0});
        } else {
            std::size_t begin = addText(item.string());
            add({Piece::string, 0, begin, textSize_});
        }
        ++count_;
    }
    template <class T> void emplace_back(T&& value) { push_back(FItem(std::forward<T>(value))); }
    // Appends each character of s as its own item.
    void appendChars(std::string_view s);

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // A stretch of items: an integer, a string, or characters each an item of their own.
    struct Piece {
        enum Kind { integer, string, chars } kind;
        long long value;
        std::size_t begin, end;  // in the text
    };
    std::size_t pieces() const { return pieceCount_; }
    const Piece& piece(std::size_t k) const { return k < few_.size() ? few_[k] : more_[k - few_.size()]; }
    std::string_view text(const Piece& p) const { return std::string_view(textData() + p.begin, p.end - p.begin); }

private:
    void add(const Piece& p) {
        if (pieceCount_ < few_.size()) few_[pieceCount_] = p;
        else more_.push_back(p);
        ++pieceCount_;
    }
    // Appends s to the text; returns where it starts. The text of a usual write stays in
    // place; the rest goes out of line, so that this is inlined.
    std::size_t addText(std::string_view s) {
        std::size_t begin = textSize_;
        if (textSize_ + s.size() <= shortText_.size()) s.copy(shortText_.data() + textSize_, s.size());
        else addLongText(s);
        textSize_ += s.size();
        return begin;
    }
    void addLongText(std::string_view s);
    const char* textData() const { return textSize_ <= shortText_.size() ? shortText_.data() : longText_.data(); }

    std::array<Piece, 6> few_;    // the first pieces; only the first pieceCount_ are set
    std::vector<Piece> more_;     // the ones after them
    std::size_t pieceCount_ = 0;
    std::size_t count_ = 0;       // items
    std::array<char, 160> shortText_;
    std::string longText_;        // the whole text, once it no longer fits in shortText_
    std::size_t textSize_ = 0;
};

// Appends each character of s as its own item, for the "72A1" style of format.
inline void appendChars(Items& items, std::string_view s) { items.appendChars(s); }

// Where the records of one write go: a callable borrowed for that write. Every prompt and
// program line is a write, so this is a plain pointer pair rather than a std::function.
class RecordSink {
public:
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, RecordSink>)
    RecordSink(F&& f) : target_(const_cast<void*>(static_cast<const void*>(std::addressof(f)))) {
        call_ = [](void* target, std::string_view record) {
            (*static_cast<std::remove_reference_t<F>*>(target))(record);
        };
    }
    void operator()(std::string_view record) const { call_(target_, record); }

private:
    void* target_;
    void (*call_)(void*, std::string_view);
};

// Writes the items under the format; every finished record is handed to emit.
void formatWrite(std::string_view format, const Items& items, RecordSink emit);

// Why the engine would refuse the format, or empty when it parses; writes nothing. The
// engine otherwise parses a format only when it is first written.
std::string formatFault(std::string_view format);

// The records a write produces, for tests and small callers.
std::vector<std::string> formatRecords(std::string_view format, const Items& items);

// An internal write into a character variable of the given width: the first record,
// padded with blanks or cut to that width.
std::string internalWrite(std::size_t width, std::string_view format, const Items& items);

}  // namespace zemka
