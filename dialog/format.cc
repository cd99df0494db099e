#include "format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
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

// A node as the writer runs it. The tree is laid out in one array, each group followed by
// its children, so that a write walks one block of memory and no nested lists.
struct Op {
    Node::Kind kind;
    int repeat;
    int width;
    std::string_view text;  // the node's text
    std::size_t end;        // one past the node and its children
};

// A parsed format. One without a data descriptor (a ruler, a fixed line) writes the same
// records every time it is written without items: they are kept once made.
struct Parsed {
    explicit Parsed(std::vector<Node> n) : nodes(std::move(n)) {
        for (const Node& node : nodes) {
            if (node.kind == Node::group) reversion = ops.size();
            lay(node);
        }
    }
    Parsed(const Parsed&) = delete;
    Parsed& operator=(const Parsed&) = delete;

    std::vector<Node> nodes;  // the texts the ops refer to
    std::vector<Op> ops;
    std::size_t reversion = 0;  // the op of the last top-level group: reversion starts there
    bool fixed = true;
    std::optional<std::vector<std::string>> records;

private:
    void lay(const Node& n) {
        std::size_t at = ops.size();
        ops.push_back({n.kind, n.repeat, n.width, n.text, 0});
        if (n.kind == Node::alpha || n.kind == Node::integer) fixed = false;
        // A group of literals alone is written as its text.
        if (n.kind == Node::group && n.text.empty())
            for (const Node& child : n.children) lay(child);
        ops[at].end = ops.size();
    }
};

// Formats are few and reused for every line, so each is parsed once. Most are literals, met
// again at the same address: a slot per address finds them without comparing formats.
Parsed& parsed(std::string_view format) {
    static std::map<std::string, std::unique_ptr<Parsed>, std::less<>> cache;
    struct Recent {
        const char* data = nullptr;
        const std::string* key = nullptr;
        Parsed* entry = nullptr;
    };
    static std::array<Recent, 256> recent;
    Recent& slot = recent[(reinterpret_cast<std::uintptr_t>(format.data()) >> 3) % recent.size()];
    if (slot.data == format.data() && *slot.key == format) return *slot.entry;
    auto it = cache.find(format);
    if (it == cache.end()) {
        auto entry = std::make_unique<Parsed>(Parser(format).parseFormat());
        it = cache.emplace(std::string(format), std::move(entry)).first;
    }
    slot = {format.data(), &it->first, it->second.get()};
    return *it->second;
}

// Copies s to to. Most pieces of a record are a few characters ("'.'", "' ='", a name), for
// which a call to memcpy costs more than the copy: up to 16 they are moved in two words
// that may overlap.
[[gnu::always_inline]] inline void copyPiece(char* to, std::string_view s) {
    std::size_t n = s.size();
    const char* from = s.data();
    if (n >= 8 && n <= 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n < 4) {
        for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
    } else {
        std::memcpy(to, from, n);
    }
}

// The buffer of the last write's record, so that a write allocates none.
std::string spareRecord;

class Writer {
public:
    Writer(const Items& items, RecordSink emit)
        : items_(items), emit_(emit), record_(std::move(spareRecord)) {}
    // The record's buffer serves the next write.
    ~Writer() { spareRecord = std::move(record_); }

    void run(const Parsed& f) {
        ops_ = f.ops.data();
        std::size_t end = f.ops.size();
        if (!runOps(0, end) || piece_ >= items_.pieces()) return finish();
        // Reversion: a new record, then again from the last top-level group.
        do {
            std::size_t beforePiece = piece_, beforeOffset = offset_;
            endRecord();
            if (!runOps(f.reversion, end)) break;
            if (piece_ == beforePiece && offset_ == beforeOffset)
                throw std::logic_error("FORMAT has no data descriptor for its items");
        } while (piece_ < items_.pieces());
        finish();
    }

private:
    // Runs the ops from k to end; returns false once a data descriptor finds no item: the
    // write is over.
    bool runOps(std::size_t k, std::size_t end) {
        while (k < end) {
            const Op& op = ops_[k];
            switch (op.kind) {
            case Node::literal: put(op.text); break;
            case Node::skip: pos_ += static_cast<std::size_t>(op.width); break;
            case Node::slash: endRecord(); break;
            case Node::group:
                if (!op.text.empty()) put(op.text);
                else
                    for (int r = 0; r < op.repeat; ++r)
                        if (!runOps(k + 1, op.end)) return false;
                break;
            case Node::alpha:
            case Node::integer:
                for (int r = 0; r < op.repeat;) {
                    if (piece_ >= items_.pieces()) return false;
                    r += op.kind == Node::alpha ? editA(op.width, op.repeat - r) : editI(op.width);
                }
                break;
            }
            k = op.end;
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
        copyPiece(r + start, s);
        pos_ = end_ = end;
    }
    void endRecord() {
        emit_(std::string_view(record_.data(), end_));
        pos_ = end_ = 0;
    }
    void finish() { endRecord(); }

    const Items& items_;
    RecordSink emit_;
    const Op* ops_ = nullptr;
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

void formatWrite(std::string_view format, const Items& items, RecordSink emit) {
    Parsed& f = parsed(format);
    if (!f.fixed || !items.empty()) return Writer(items, emit).run(f);
    if (!f.records) {
        f.records.emplace();
        Writer(items, [&](std::string_view r) { f.records->emplace_back(r); }).run(f);
    }
    for (const std::string& r : *f.records) emit(r);
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
