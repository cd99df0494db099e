#include "format.h"

#include <cctype>
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
    std::string text;
    std::vector<Node> children;
};

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
            nodes.push_back(parseItem());
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
        } else if (c == 'X') {
            ++i_;
            n.kind = Node::skip;
            n.width = count > 0 ? count : 1;
            return n;
        } else if (c == 'A') {
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
        return g;
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

// Formats are few and reused for every line, so each is parsed once.
const std::vector<Node>& parsed(std::string_view format) {
    static std::map<std::string, std::unique_ptr<std::vector<Node>>, std::less<>> cache;
    auto it = cache.find(format);
    if (it == cache.end()) {
        auto nodes = std::make_unique<std::vector<Node>>(Parser(format).parseFormat());
        it = cache.emplace(std::string(format), std::move(nodes)).first;
    }
    return *it->second;
}

class Writer {
public:
    Writer(const Items& items, const std::function<void(const std::string&)>& emit)
        : items_(items), emit_(emit) {}

    void run(const std::vector<Node>& nodes) {
        if (!runList(nodes, 0)) return finish();
        // Reversion: a new record, then again from the last top-level group.
        std::size_t from = 0;
        for (std::size_t k = 0; k < nodes.size(); ++k)
            if (nodes[k].kind == Node::group) from = k;
        while (next_ < items_.size()) {
            std::size_t before = next_;
            endRecord();
            if (!runList(nodes, from)) break;
            if (next_ == before) throw std::logic_error("FORMAT has no data descriptor for its items");
        }
        finish();
    }

private:
    // Returns false once a data descriptor finds no item: the write is over.
    bool runList(const std::vector<Node>& nodes, std::size_t from) {
        for (std::size_t k = from; k < nodes.size(); ++k)
            if (!runNode(nodes[k])) return false;
        return true;
    }

    bool runNode(const Node& n) {
        switch (n.kind) {
        case Node::literal: put(n.text); return true;
        case Node::skip: pos_ += static_cast<std::size_t>(n.width); return true;
        case Node::slash: endRecord(); return true;
        case Node::group:
            for (int r = 0; r < n.repeat; ++r)
                if (!runList(n.children, 0)) return false;
            return true;
        case Node::alpha:
        case Node::integer:
            for (int r = 0; r < n.repeat; ++r) {
                if (next_ >= items_.size()) return false;
                const FItem& item = items_[next_++];
                put(n.kind == Node::alpha ? editA(item, n.width) : editI(item, n.width));
            }
            return true;
        }
        return true;
    }

    static std::string editA(const FItem& item, int width) {
        if (item.isInteger()) throw std::logic_error("A edit of an integer item");
        const std::string& s = item.string();
        if (width == 0) return s;
        auto w = static_cast<std::size_t>(width);
        if (s.size() >= w) return s.substr(0, w);
        return std::string(w - s.size(), ' ') + s;
    }

    static std::string editI(const FItem& item, int width) {
        if (!item.isInteger()) throw std::logic_error("I edit of a string item");
        std::string digits = std::to_string(item.integer());
        auto w = static_cast<std::size_t>(width);
        if (digits.size() > w) return std::string(w, '*');
        return std::string(w - digits.size(), ' ') + digits;
    }

    void put(const std::string& s) {
        if (record_.size() < pos_) record_.resize(pos_, ' ');
        record_.replace(pos_, s.size(), s);
        pos_ += s.size();
    }
    void endRecord() {
        emit_(record_);
        record_.clear();
        pos_ = 0;
    }
    void finish() { endRecord(); }

    const Items& items_;
    const std::function<void(const std::string&)>& emit_;
    std::size_t next_ = 0;
    std::string record_;
    std::size_t pos_ = 0;
};

}  // namespace

void appendChars(Items& items, std::string_view s) {
    for (char c : s) items.emplace_back(c);
}

void formatWrite(std::string_view format, const Items& items,
                 const std::function<void(const std::string&)>& emit) {
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
    formatWrite(format, items, [&](const std::string& r) { out.push_back(r); });
    return out;
}

std::string internalWrite(std::size_t width, std::string_view format, const Items& items) {
    std::string first;
    bool seen = false;
    formatWrite(format, items, [&](const std::string& r) {
        if (!seen) first = r;
        seen = true;
    });
    first.resize(width, ' ');
    return first;
}

}  // namespace zemka
