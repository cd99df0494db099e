#include "dialog_fuzzing.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "app/driver.h"

namespace zemka::test {
namespace {

void require(bool ok, const std::string& what) {
    if (!ok) throw RuleBroken(what);
}

bool isBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool alnumName(const std::string& s) {
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return !s.empty();
}

const NameTables tables{"uvwxyzUVWXYZ", "abnuvwxyzTNU", "if IF do DO nx "};

void checkUnknowns(const Unknowns& u, int nvar) {
    for (int i = 1; i <= nvar; ++i) {
        std::string name = u.name[i].substr(0, u.length[i]);
        require(u.length[i] >= 1 && u.length[i] <= 3 && alnumName(name), "unknown named '" + name + "'");
        for (int k = 1; k < i; ++k)
            require(lower(name) != lower(u.name[k].substr(0, u.length[k])), "unknown " + name + " twice");
    }
}

void checkGlobals(const GlobalList& list) {
    require(list.size() <= 176, "more than 176 global parameters");
    for (std::size_t i = 0; i < list.size(); ++i) {
        require(list[i].size() == 7 && list[i][0] == ',', "global parameter item '" + list[i] + "'");
        require(alnumName(list[i].substr(1, list[i].find_last_not_of(' '))), "parameter '" + list[i] + "'");
        for (std::size_t k = 0; k < i; ++k) require(lower(list[i]) != lower(list[k]), list[i] + " twice");
    }
}

// One reader, chosen at random, with a check of what it returns.
void callReader(DialogRun& run, Random& r) {
    Probe& d = run.dialog;
    int blank = 0;
    switch (r.below(19)) {
    case 0: {
        int n = r.pick(std::vector<int>{3, 4, 6, 7, 40, 65, 72});
        std::string line = d.readln(n, blank);
        require(line.size() == static_cast<std::size_t>(n) && line[0] != '#', "readln gave '" + line + "'");
        require(blank == (isBlank(line) ? 1 : 0), "readln's blank flag");
        break;
    }
    case 1: d.ifyes(); break;
    case 2:
    case 3: {
        int lo = r.pick(std::vector<int>{-99999, -10000, -9999, -5, 0, 1});
        int hi = r.pick(std::vector<int>{99999, 10000, 9999, 15, 1});
        if (lo > hi && lo >= -9999 && hi <= 9999) break;  // no value would do
        int v = r.below(2) ? d.iread(r.below(2) ? "ISOLVE" : "", lo, hi) : d.inparm("NSAVE", lo, hi);
        require(v >= (lo >= -9999 ? lo : -999999999) && (hi > 9999 || v <= hi),
                "integer " + std::to_string(v) + " for " + std::to_string(lo) + " to " + std::to_string(hi));
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
        require(line.size() == 65 && !(req && blank), "readex gave '" + line + "'");
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
        checkUnknowns(run.session.unknwn, nvar);
        break;
    }
    case 14: {
        GlobalList list = d.globp(tables);
        checkGlobals(list);
        d.parameterCommon(list);
        run.session.use(Stream::header);
        break;
    }
    case 15: d.mess(r.between(0, 3), r.between(-1, 1001)); break;
    case 16: d.paws(); break;
    case 17: d.com(r.between(1, 5), r.line()); break;
    default: d.text(r.line()); break;
    }
}

}  // namespace

std::string Random::line() {
    static const std::vector<std::string> pieces = {
        "#", "#@", "$", "$$", "+", "-", " ", "  ", "y", "n", "Y", "N", "'", "\r", "\t", "(", "x", "u", "U", "vv",
        "T12", "nx", "0", "7", "42", "<", "99999", "2147483647", "2147483648", "-1234567890", "1.d-4", "\x7f",
        std::string(1, '\0'), "\xff"};
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

Lines Random::lines(int n) {
    Lines out;
    while (n-- > 0) out.push_back(line());
    return out;
}

std::string Random::catalogue(bool valid) {
    static const std::vector<std::string> texts = {"text", "$$1 and $$2", "$$9$", "$", "a$$3b$$$", "",
                                                  std::string(80, '$'), "$$x", "$$0"};
    std::string f;
    int number = 1;
    for (int k = between(0, 60); k > 0; --k) {
        number += below(3) == 0 ? between(1, 40) : 0;
        std::string field = std::to_string(std::min(number, 1000));
        field.insert(0, 4 - field.size(), ' ');
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

void fuzzSession(const Lines& keyboard, const std::optional<std::string>& answerFile, Random& r) {
    DialogRun run(keyboard, r.catalogue(true));
    if (answerFile) run.answerFile(*answerFile);
    run.session.exmp = {.blockLevel = r.between(0, 3), .example = r.between(0, 15), .doublePrecision = r.below(2)};
    run.session.parms.comForm = r.below(2);
    try {
        for (;;) callReader(run, r);
    } catch (const FatalError&) {
        // the keyboard ran dry
    } catch (const StepBack&) {
        // a "<" line: only a whole dialog starts again
    }
    for (const std::string& e : run.echo()) {
        std::size_t w = e.size();
        require(e[0] != '#', "echo.out holds '" + e + "'");
        require(w == 3 || w == 4 || w == 6 || w == 7 || w == 40 || w == 65 || w == 72, "echo line '" + e + "'");
    }
    for (const std::string& line : run.program()) require(line.size() <= 79, "main.f line '" + line + "'");
}

const std::vector<Lines>& dialogSeeds() {
    static const std::vector<Lines> seeds = [] {
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::directory_iterator(ZEMKA_SOURCE_DIR "/examples"))
            if (e.path().extension() == ".in") files.push_back(e.path());
        std::sort(files.begin(), files.end());
        std::vector<Lines> out;
        // A worked example is followed without its guidance ("n" for "y" and its number): the
        // same questions, without the pause after its introduction that would take a typed line.
        for (const auto& f : files) {
            Lines dialog = readLines(f);
            if (dialog.size() > 1 && dialog[0] == "y") {
                dialog.erase(dialog.begin(), dialog.begin() + 2);
                dialog.insert(dialog.begin(), "n");
            }
            out.push_back(dialog);
        }
        return out;
    }();
    return seeds;
}

Lines mutated(Lines seed, Random& r) {
    for (int edits = r.between(0, 4); edits > 0 && !seed.empty(); --edits) {
        auto at = seed.begin() + r.below(static_cast<int>(seed.size()));
        switch (r.below(7)) {
        case 0: *at = r.line(); break;
        case 1: seed.erase(at); break;
        case 2: seed.insert(at, *at); break;
        case 3: seed.insert(at, r.line()); break;
        case 4: *at = r.pick(seed); break;
        case 5: seed.insert(at, {r.line(), "<"}); break;  // a line and a step back
        default: seed.erase(at, seed.end()); break;
        }
    }
    return seed;
}

namespace {

const std::string& shippedMessages() {
    static const std::string text = [] {
        std::ifstream in(ZEMKA_SOURCE_DIR "/data/zemka.seq", std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }();
    return text;
}

// Runs zemka's whole dialog in dir; false when it ended with a report.
bool wholeRun(const std::filesystem::path& dir, const Lines& keyboard) {
    std::istringstream keys(joinedLines(keyboard));
    std::ostringstream terminal;
    try {
        runSession(keys, terminal, dir);
        return true;
    } catch (const FatalError&) {
    } catch (const CatalogueError&) {
    }
    return false;
}

std::vector<std::string> filesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

void fuzzDialog(const Lines& keyboard, const std::optional<std::string>& answerFile, DialogCounts& counts) {
    TempDir run;
    writeFile(run.path / "zemka.seq", shippedMessages());
    if (answerFile) writeFile(run.path / "zemka.in", *answerFile);
    ++counts.dialogs;
    counts.answers += static_cast<int>(keyboard.size());
    if (answerFile) counts.answers += static_cast<int>(std::count(answerFile->begin(), answerFile->end(), '\n'));
    bool finished = wholeRun(run.path, keyboard);

    Lines echo = readLines(run.path / "echo.out");
    for (const std::string& e : echo) {
        std::size_t w = e.size();
        require(w == 3 || w == 4 || w == 6 || w == 7 || w == 40 || w == 65 || w == 72, "echo line '" + e + "'");
    }
    std::vector<std::string> expected{"echo.out", "zemka.log", "zemka.seq"};
    if (finished) expected.push_back("main.f");
    if (answerFile) expected.push_back("zemka.in");
    std::sort(expected.begin(), expected.end());
    require(filesIn(run.path) == expected, "files left: " + joinedLines(filesIn(run.path)));
    if (!finished) return;
    ++counts.finished;
    Lines program = readLines(run.path / "main.f");
    for (const std::string& line : program) require(line.size() <= 79, "main.f line '" + line + "'");

    // "#@" marks the program from where it is typed on, which a replay cannot know.
    bool marked = std::any_of(keyboard.begin(), keyboard.end(), [](const std::string& l) { return l.starts_with("#@"); });
    if (marked) return;
    TempDir replay;
    writeFile(replay.path / "zemka.seq", shippedMessages());
    writeFile(replay.path / "zemka.in", joinedLines(echo));
    require(wholeRun(replay.path, {"#"}), "the replay of echo.out did not finish");
    require(readLines(replay.path / "main.f") == program, "the replay of echo.out wrote another main.f");
    require(readLines(replay.path / "echo.out") == echo, "the replay of echo.out recorded other answers");
}

void fuzzCatalogue(const std::string& text, Random& r) {
    Catalogue c;
    try {
        c = catalogueOf(text);
    } catch (const CatalogueError& e) {
        require(std::string(e.what()).rfind("zemka.seq, line ", 0) == 0, e.what());
        return;
    }
    Unknowns u;
    for (int i = 1; i <= 9; ++i) u.length[i] = r.between(0, 3), u.name[i] = "aB7";
    for (int n = 0; n <= 1000; ++n)
        for (const MessageRecord* rec : c.extent(n)) {
            require(rec->number == n, "message " + std::to_string(n) + " holds a line of another");
            bool example = exampleLetters.find(rec->letter) != std::string_view::npos;
            require(Catalogue::resolve(*rec, example, u).size() == 72, "resolved line width");
        }
}

}  // namespace zemka::test
