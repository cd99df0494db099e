#include "format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>

namespace zemka {
namespace {

struct Node {
    enum Kind { literal, skip, alpha, integer, slash, group } kind;
    explicit Node(Kind k) : kind(k) {}
    int repeat = 1;
    int width = 0;  // 0 for A without a width
    std::string text;  // a literal's; a group of literals alone: the text of all its passes
    std::vector<Node> children;
};

// Adds n to a list, joined with the node before where that writes the same: a literal after a
// literal or a skip is written together with it. Fewer nodes, fewer pieces put into a record.
void add(std::vector<Node>& nodes, Node n) {
    if (n.kind == Node::literal && !nodes.empty()) {
        Node& last = nodes.back();
        if (last.kind == Node::skip) {
            last.kind = Node::literal;
            last.text.assign(static_cast<std::size_t>(last.width), ' ');
            last.width = 0;
        }
        if (last.kind == Node::literal) {
            last.text += n.text;
            return;
        }
    }
    nodes.push_back(std::move(n));
}

class Parser {
public:
    explicit Parser(std::string_view f) : f_(f) {}

    std::vector<Node> parseFormat() {
        skipBlanks();
        expect('(');
        auto nodes = parseList();
        expect(')');
        skipBlanks();
        if (i_ != f_.size()) fail("text after the closing parenthesis");
        return nodes;
    }

private:
    std::vector<Node> parseList() {
        std::vector<Node> nodes;
        for (;;) {
            skipBlanks();
            if (i_ >= f_.size()) fail("missing closing parenthesis");
            char c = f_[i_];
            if (c == ')') return nodes;
            if (c == ',') { ++i_; continue; }
            if (c == '/') { ++i_; nodes.push_back(Node(Node::slash)); continue; }
            add(nodes, parseItem());
        }
    }

    Node parseItem() {
        int count = readNumber();
        skipBlanks();
        if (i_ >= f_.size()) fail("format ends inside an item");
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(f_[i_])));
        Node n(Node::literal);
        if (c == '\'') {
            n.text = readLiteral();
            if (count > 0) return repeated(std::move(n), count);
            return n;
        }
        if (c == '(') {
            ++i_;
            n.kind = Node::group;
            n.children = parseList();
            expect(')');
            n.repeat = count > 0 ? count : 1;
            withText(n);
            return n;
        }
        if (c == 'X') {
            ++i_;
            n.kind = Node::skip;
            n.width = count > 0 ? count : 1;
            return n;
        }
        if (c == 'A') {
            ++i_;
            n.kind = Node::alpha;
            n.width = readNumber();
        } else if (c == 'I') {
            ++i_;
            n.kind = Node::integer;
            n.width = readNumber();
            if (n.width <= 0) fail("I needs a width");
        } else {
            fail(std::string("unsupported descriptor '") + f_[i_] + "'");
        }
        n.repeat = count > 0 ? count : 1;
        return n;
    }

    static Node repeated(Node inner, int count) {
        Node g(Node::group);
        g.repeat = count;
        g.children.push_back(std::move(inner));
        withText(g);
        return g;
    }

    // A group of literals alone ("78('#')") is written as one text; it stays a group, since
    // reversion starts at the last group.
    static void withText(Node& g) {
        if (g.children.size() != 1 || g.children[0].kind != Node::literal) return;
        for (int r = 0; r < g.repeat; ++r) g.text += g.children[0].text;
    }

    std::string readLiteral() {
        ++i_;  // opening quote
        std::string s;
        for (;;) {
            if (i_ >= f_.size()) fail("unterminated literal");
            char c = f_[i_++];
            if (c == '\'') {
                if (i_ < f_.size() && f_[i_] == '\'') { s += '\''; ++i_; continue; }
                return s;
            }
            s += c;
        }
    }

    int readNumber() {
        skipBlanks();
        int v = 0;
        bool any = false;
        while (i_ < f_.size() && std::isdigit(static_cast<unsigned char>(f_[i_]))) {
            v = v * 10 + (f_[i_++] - '0');
            any = true;
        }
        return any ? v : 0;
    }

    void skipBlanks() {
        while (i_ < f_.size() && f_[i_] == ' ') ++i_;
    }
    void expect(char c) {
        skipBlanks();
        if (i_ >= f_.size() || f_[i_] != c) fail(std::string("expected '") + c + "'");
        ++i_;
    }
    [[noreturn]] void fail(const std::string& why) {
        throw std::logic_error("bad FORMAT " + std::string(f_) + ": " + why);
    }

    std::string_view f_;
    std::size_t i_ = 0;
};

// Formats are few and reused for every line, so each is parsed once. Most are literals, met
// again at the same address: a slot per address finds them without comparing formats.
const std::vector<Node>& parsed(std::string_view format) {
    static std::map<std::string, std::unique_ptr<std::vector<Node>>, std::less<>> cache;
    struct Recent {
        const char* data = nullptr;
        const std::string* key = nullptr;
        const std::vector<Node>* nodes = nullptr;
    };
    static std::array<Recent, 256> recent;
    Recent& slot = recent[(reinterpret_cast<std::uintptr_t>(format.data()) >> 3) % recent.size()];
    if (slot.data == format.data() && *slot.key == format) return *slot.nodes;
    auto it = cache.find(format);
    if (it == cache.end()) {
        auto nodes = std::make_unique<std::vector<Node>>(Parser(format).parseFormat());
        it = cache.emplace(std::string(format), std::move(nodes)).first;
    }
    slot = {format.data(), &it->first, it->second.get()};
    return *it->second;
}

// The buffer of the last write's record, so that a write allocates none.
std::string spareRecord;

class Writer {
public:
    Writer(const Items& items, const std::function<void(std::string_view)>& emit)
        : items_(items), emit_(emit), record_(std::move(spareRecord)) {}
    // The record's buffer serves the next write.
    ~Writer() { spareRecord = std::move(record_); }

    void run(const std::vector<Node>& nodes) {
        if (!runList(nodes, 0) || piece_ >= items_.pieces()) return finish();
        // Reversion: a new record, then again from the last top-level group.
        std::size_t from = 0;
        for (std::size_t k = 0; k < nodes.size(); ++k)
            if (nodes[k].kind == Node::group) from = k;
        do {
            std::size_t beforePiece = piece_, beforeOffset = offset_;
            endRecord();
            if (!runList(nodes, from)) break;
            if (piece_ == beforePiece && offset_ == beforeOffset)
                throw std::logic_error("FORMAT has no data descriptor for its items");
        } while (piece_ < items_.pieces());
        finish();
    }

private:
    // Returns false once a data descriptor finds no item: the write is over.
    bool runList(const std::vector<Node>& nodes, std::size_t from) {
        for (std::size_t k = from; k < nodes.size(); ++k)
            if (!runNode(nodes[k])) return false;
        return true;
    }

    [[gnu::always_inline]] bool runNode(const Node& n) {
        switch (n.kind) {
        case Node::literal: put(n.text); return true;
        case Node::skip: pos_ += static_cast<std::size_t>(n.width); return true;
        case Node::slash: endRecord(); return true;
        case Node::group:
            if (!n.text.empty()) {
                put(n.text);
                return true;
            }
            for (int r = 0; r < n.repeat; ++r)
                if (!runList(n.children, 0)) return false;
            return true;
        case Node::alpha:
        case Node::integer:
            for (int r = 0; r < n.repeat;) {
                if (piece_ >= items_.pieces()) return false;
                r += n.kind == Node::alpha ? editA(n.width, n.repeat - r) : editI(n.width);
            }
            return true;
        }
        return true;
    }

    // Edits up to count items under Aw; returns how many it took. A run of one-character
    // items under A or A1 goes into the record whole.
    int editA(int width, int count) {
        const Items::Piece& p = items_.piece(piece_);
        if (p.kind == Items::Piece::integer) throw std::logic_error("A edit of an integer item");
        std::string_view s = items_.text(p);
        if (p.kind == Items::Piece::chars) {
            if (width <= 1) {
                std::size_t n = std::min(static_cast<std::size_t>(count), s.size() - offset_);
                put(s.substr(offset_, n));
                advance(n);
                return static_cast<int>(n);
            }
            s = s.substr(offset_, 1);
        }
        advance(1);
        if (width == 0) {
            put(s);
        } else {
            auto w = static_cast<std::size_t>(width);
            if (s.size() >= w) put(s.substr(0, w));
            else put(s, w - s.size());
        }
        return 1;
    }

    int editI(int width) {
        const Items::Piece& p = items_.piece(piece_);
        if (p.kind != Items::Piece::integer) throw std::logic_error("I edit of a string item");
        advance(1);
        char digits[24];
        auto size = static_cast<std::size_t>(std::to_chars(digits, std::end(digits), p.value).ptr - digits);
        auto w = static_cast<std::size_t>(width);
        if (size > w) put({}, w, '*');
        else put({digits, size}, w - size);
        return 1;
    }

    // Moves past n items of the current piece.
    void advance(std::size_t n) {
        const Items::Piece& p = items_.piece(piece_);
        offset_ += n;
        if (p.kind != Items::Piece::chars || offset_ == p.end - p.begin) {
            ++piece_;
            offset_ = 0;
        }
    }

    // Writes s at the current position, after that many blanks (or fill characters).
    // Nothing moves the position back, so every put extends the record; the gap a skip left
    // before it is blank.
    [[gnu::always_inline]] void put(std::string_view s, std::size_t blanks = 0, char fill = ' ') {
        std::size_t start = pos_ + blanks, end = start + s.size();
        if (end > record_.size()) record_.resize(std::max(end, 2 * record_.size()));
        char* r = record_.data();
        if (pos_ > end_) std::fill(r + end_, r + pos_, ' ');
        if (blanks > 0) std::fill(r + pos_, r + start, fill);
        s.copy(r + start, s.size());
        pos_ = end_ = end;
    }
    void endRecord() {
        emit_(std::string_view(record_.data(), end_));
        pos_ = end_ = 0;
    }
    void finish() { endRecord(); }

    const Items& items_;
    const std::function<void(std::string_view)>& emit_;
    std::size_t piece_ = 0;   // the next item: a piece,
    std::size_t offset_ = 0;  // and within a run of characters, the character
    std::string record_;      // holds the record in its first end_ characters
    std::size_t end_ = 0;
    std::size_t pos_ = 0;
};

}  // namespace

void Items::addLongText(std::string_view s) {
    if (textSize_ <= shortText_.size()) longText_.assign(shortText_.data(), textSize_);
    longText_.append(s);
}

void Items::appendChars(std::string_view s) {
    if (s.empty()) return;
    std::size_t begin = addText(s);
    add({Piece::chars, 0, begin, textSize_});
    count_ += s.size();
}

void formatWrite(std::string_view format, const Items& items,
                 const std::function<void(std::string_view)>& emit) {
    Writer(items, emit).run(parsed(format));
}

std::string formatFault(std::string_view format) {
    try {
        Parser(format).parseFormat();
        return "";
    } catch (const std::logic_error& e) {
        return e.what();
    }
}

std::vector<std::string> formatRecords(std::string_view format, const Items& items) {
    std::vector<std::string> out;
    formatWrite(format, items, [&](std::string_view r) { out.emplace_back(r); });
    return out;
}

std::string internalWrite(std::size_t width, std::string_view format, const Items& items) {
    std::string first;
    bool seen = false;
    formatWrite(format, items, [&](std::string_view r) {
        if (!seen) first = r;
        seen = true;
    });
    first.resize(width, ' ');
    return first;
}

}  // namespace zemka
