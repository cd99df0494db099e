// Randomized answers for every reader and random message files for the catalogue, from a
// fixed seed: nothing may crash, the only way out of a dialog is the end of keyboard input,
// and every answer a reader returns is a valid one.
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "dialog_harness.h"

namespace zemka::test {
namespace {

class Random {
public:
    explicit Random(unsigned seed) : rng_(seed) {}

    int below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    template <class T> const T& pick(const std::vector<T>& v) { return v[below(static_cast<int>(v.size()))]; }

    // An answer line: empty, raw bytes, very long, or pieces that readers care about.
    std::string line() {
        static const std::vector<std::string> pieces = {
            "#", "#@", "$", "$$", "+", "-", " ", "  ", "y", "n", "Y", "N", "'", "\r", "\t", "(", "x", "u",
            "U", "vv", "T12", "nx", "0", "7", "42", "99999", "2147483647", "2147483648", "-1234567890", "1.d-4",
            "\x7f", std::string(1, '\0'), "\xff"};
        std::string s;
        switch (below(8)) {
        case 0: return s;
        case 1:
            for (int k = between(1, 90); k > 0; --k)
                if (char c = static_cast<char>(below(256)); c != '\n') s += c;
            return s;
        case 2:
            while (s.size() < 73 + static_cast<std::size_t>(below(330))) s += pick(pieces);
            return s;
        default:
            for (int k = between(1, 3); k > 0; --k) s += pick(pieces);
            return s;
        }
    }

    Lines lines(int n) {
        Lines out;
        while (n-- > 0) out.push_back(line());
        return out;
    }

    // A message file: numbered lines, sometimes corrupted when valid is false.
    std::string catalogue(bool valid) {
        static const std::vector<std::string> texts = {"text", "$$1 and $$2", "$$9$", "$", "a$$3b$$$", "",
                                                      std::string(80, '$'), "$$x", "$$0"};
        std::string f;
        int number = 1;
        for (int k = between(0, 60); k > 0; --k) {
            number += below(3) == 0 ? between(1, 40) : 0;
            std::string field = std::to_string(std::min(number, 1000));
            field.insert(0, 4 - std::min<std::size_t>(field.size(), 4), ' ');
            char letter = pick(std::vector<char>{' ', ' ', 'A', 'C', 'O', 'P', 'a'});
            std::string text = pick(texts);
            bool badPlaceholder = text.find("$$x") != std::string::npos || text.find("$$0") != std::string::npos ||
                                  text.find("$$$") != std::string::npos;
            if (valid && badPlaceholder && exampleLetters.find(letter) == std::string_view::npos) text = "plain";
            if (!valid && below(15) == 0) field = pick(std::vector<std::string>{"  x1", "1001", "    ", "  -2", line()});
            f += field + letter + text + (below(10) == 0 ? "\r\n" : "\n");
        }
        if (valid || below(4) != 0) f += "9999\n";
        return f;
    }

private:
    std::mt19937 rng_;
};

bool sameNameBlind(std::string a, std::string b) {
    for (char& c : a) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : b) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return a == b;
}

bool alnumName(const std::string& s) {
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return !s.empty();
}

const NameTables tables{"uvwxyzUVWXYZ", "abnuvwxyzTNU", "if IF do DO nx "};

// One reader, chosen at random, with a check of what it returns.
void callReader(DialogRun& run, Random& r) {
    Probe& d = run.dialog;
    int blank = 0;
    switch (r.below(19)) {
    case 0: {
        int n = r.pick(std::vector<int>{3, 4, 6, 7, 40, 65, 72});
        std::string line = d.readln(n, blank);
        ASSERT_EQ(line.size(), static_cast<std::size_t>(n));
        ASSERT_NE(line[0], '#');
        ASSERT_EQ(blank, line.find_first_not_of(' ') == std::string::npos ? 1 : 0);
        break;
    }
    case 1: d.ifyes(); break;
    case 2:
    case 3: {
        int lo = r.pick(std::vector<int>{-99999, -10000, -9999, -5, 0, 1});
        int hi = r.pick(std::vector<int>{99999, 10000, 9999, 15, 1});
        if (lo > hi && lo >= -9999 && hi <= 9999) break;  // no value would do
        int v = r.below(2) ? d.iread(r.below(2) ? "ISOLVE" : "", lo, hi) : d.inparm("NSAVE", lo, hi);
        ASSERT_GE(v, lo >= -9999 ? lo : -999999999);
        if (hi <= 9999) {
            ASSERT_LE(v, hi);
        }
        break;
    }
    case 4: {
        int v = 0;
        d.readin(v);
        break;
    }
    case 5: d.instr("TITLE", r.below(2)); break;
    case 6: {
        int req = r.below(2);
        std::string line = d.readex(req, blank);
        ASSERT_EQ(line.size(), 65u);
        if (req) {
            ASSERT_EQ(blank, 0);
        }
        break;
    }
    case 7: d.invar("TOLER(1)", r.below(2)); break;
    case 8: d.invec("UPRINT", 1, r.between(0, 2), r.below(2)); break;
    case 9: d.inmat("A", 1, r.between(1, 2), 1, r.between(0, 2), r.below(2)); break;
    case 10: d.vecfun("F", r.between(1, 12), r.between(1, 20), r.between(0, 99999), "f", r.between(0, 4), "ieq"); break;
    case 11: d.matfun("A", r.between(1, 12), r.between(1, 20), "U", r.below(9), r.below(9), "a", r.below(2)); break;
    case 12: d.iadd(r.between(0, 3), "F"); break;
    case 13: {
        int nvar = r.between(1, 3);
        d.varnam(tables.leading(r.between(1, 12), r.between(1, 12), r.between(0, 5)), nvar);
        const Unknowns& u = run.session.unknwn;
        for (int i = 1; i <= nvar; ++i) {
            std::string name = u.name[i].substr(0, u.length[i]);
            ASSERT_TRUE(u.length[i] >= 1 && u.length[i] <= 3 && alnumName(name)) << name;
            for (int k = 1; k < i; ++k) ASSERT_FALSE(sameNameBlind(name, u.name[k].substr(0, u.length[k])));
        }
        break;
    }
    case 14: {
        GlobalList list = d.globp(tables);
        run.session.use(Stream::header);
        ASSERT_LE(list.size(), 176u);
        for (std::size_t i = 0; i < list.size(); ++i) {
            ASSERT_EQ(list[i].size(), 7u);
            std::string name = list[i].substr(1, list[i].find_last_not_of(' '));
            ASSERT_TRUE(list[i][0] == ',' && alnumName(name)) << list[i];
            for (std::size_t k = 0; k < i; ++k) ASSERT_FALSE(sameNameBlind(list[i], list[k]));
        }
        d.parameterCommon(list);
        break;
    }
    case 15: d.mess(r.between(0, 3), r.between(-1, 1001)); break;
    case 16: d.paws(); break;
    case 17: d.com(r.between(1, 5), r.line()); break;
    default: d.text(r.line()); break;
    }
}

TEST(Fuzz, ReadersOnRandomAnswers) {
    Random r(20240611);
    long tried = 0;
    for (int session = 0; session < 100; ++session) {
        Lines keys = r.lines(r.between(0, 400));
        DialogRun run(keys, r.catalogue(true));
        tried += static_cast<long>(keys.size());
        if (r.below(3)) {
            Lines answers = r.lines(r.between(0, 40));
            std::string text;
            for (const std::string& a : answers) text += a + '\n';
            run.answerFile(text);
            tried += static_cast<long>(answers.size());
        }
        run.session.exmp = {0, r.between(0, 3), r.between(0, 15), r.below(2)};
        run.session.parms[4] = r.below(2);
        try {
            for (;;) {
                callReader(run, r);
                if (testing::Test::HasFatalFailure()) return;
            }
        } catch (const FatalError&) {
            // the keyboard ran dry
        }
        for (const std::string& e : run.echo()) {
            ASSERT_NE(e.substr(0, 1), "#");
            ASSERT_TRUE(e.size() == 3 || e.size() == 4 || e.size() == 6 || e.size() == 7 || e.size() == 40 ||
                        e.size() == 65 || e.size() == 72)
                << e;
        }
        // Fixed-form lines of at most 79 columns, and no integer field overflowed.
        for (const std::string& line : run.program()) {
            ASSERT_LE(line.size(), 79u) << line;
            ASSERT_EQ(line.find("*****"), std::string::npos) << line;
        }
    }
    std::cout << "[ fuzz ] " << tried << " random answer lines\n";
    RecordProperty("answer_lines", static_cast<int>(tried));
}

TEST(Fuzz, CatalogueOnRandomFiles) {
    Random r(77);
    const int files = 3000;
    for (int k = 0; k < files; ++k) {
        std::string text = r.catalogue(r.below(2));
        std::istringstream in(text);
        Catalogue c;
        try {
            c = Catalogue::load(in, "zemka.seq");
        } catch (const CatalogueError& e) {
            ASSERT_EQ(std::string(e.what()).rfind("zemka.seq, line ", 0), 0u) << e.what();
            continue;
        }
        Unknowns u;
        for (int i = 1; i <= 9; ++i) u.length[i] = r.between(0, 3), u.name[i] = "aB7";
        std::size_t shown = 0;
        for (int n = 0; n <= 1000; ++n)
            for (const MessageRecord* rec : c.extent(n)) {
                ASSERT_EQ(rec->number, n) << text;
                bool example = exampleLetters.find(rec->letter) != std::string_view::npos;
                ASSERT_EQ(Catalogue::resolve(*rec, example, u).size(), 72u);
                ++shown;
            }
        ASSERT_LE(shown, c.size());
    }
    std::cout << "[ fuzz ] " << files << " random message files\n";
    RecordProperty("message_files", files);
}

}  // namespace
}  // namespace zemka::test
