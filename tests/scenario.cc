#include "scenario.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace zemka::test {
namespace fs = std::filesystem;

std::string rtrim(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

std::vector<std::string> readLines(const fs::path& path) {
    std::vector<std::string> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

std::string testCatalogue() {
    std::ostringstream s;
    for (int n = 1; n <= 1000; ++n) {
        std::string number = std::to_string(n);
        s << std::string(4 - number.size(), ' ') << number << " MSG " << n << '\n';
    }
    s << "9999\n";
    return s.str();
}

std::string shippedCatalogue() { return readText(ZEMKA_SOURCE_DIR "/data/zemka.seq"); }

ScenarioDir::ScenarioDir() {
    std::string pattern = (fs::temp_directory_path() / "zemka-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    path = pattern;
}

ScenarioDir::~ScenarioDir() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

Scenario runZemka(const std::vector<std::string>& answers, const ScenarioOptions& options) {
    Scenario sc;
    sc.keyboardLines = static_cast<std::size_t>(
        std::count_if(answers.begin(), answers.end(), [](const std::string& a) { return !a.starts_with('#'); }));
    // A typed step back ("<") undoes answers, which echo.out then no longer holds.
    sc.answerFile = !options.answerFile.empty() || std::find(answers.begin(), answers.end(), "<") != answers.end();
    if (options.writeCatalogue)
        std::ofstream(sc.dir / "zemka.seq") << (options.catalogue.empty() ? testCatalogue() : options.catalogue);
    if (!options.answerFile.empty()) std::ofstream(sc.dir / "zemka.in") << options.answerFile;
    for (const auto& [name, content] : options.files) std::ofstream(sc.dir / name) << content;
    {
        std::ofstream keys(sc.dir / "keys.txt");
        for (const auto& a : answers) keys << a << '\n';
    }
    std::string cmd = "cd '" + sc.dir.string() + "' && " + options.launcher + " '" ZEMKA_BINARY "' " + options.streams;
    int rc = std::system(cmd.c_str());
    sc.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    sc.terminal = readLines(sc.dir / "terminal.txt");
    sc.errors = readText(sc.dir / "errors.txt");
    // A FIFO left in place of an output (the fault tests make some) is not read.
    if (fs::is_regular_file(sc.dir / "main.f")) sc.mainf = readLines(sc.dir / "main.f");
    if (fs::is_regular_file(sc.dir / "echo.out")) sc.echo = readLines(sc.dir / "echo.out");
    return sc;
}

std::vector<std::string> Scenario::program() const {
    std::vector<std::string> out;
    for (const auto& l : mainf) out.push_back(rtrim(l));
    return out;
}

int Scenario::find(const std::string& text, int from) const {
    for (int i = from; i < static_cast<int>(mainf.size()); ++i)
        if (rtrim(mainf[i]) == text) return i;
    return -1;
}

bool Scenario::hasBlock(const std::vector<std::string>& lines) const {
    if (lines.empty()) return true;
    for (int at = find(lines[0]); at >= 0; at = find(lines[0], at + 1)) {
        bool all = true;
        for (std::size_t k = 1; k < lines.size() && all; ++k)
            all = at + static_cast<int>(k) < static_cast<int>(mainf.size()) && rtrim(mainf[at + k]) == lines[k];
        if (all) return true;
    }
    return false;
}

bool Scenario::said(const std::string& text) const {
    for (const auto& l : terminal)
        if (rtrim(l) == text) return true;
    return false;
}

// Runs a shell command in dir; returns its output when it fails, else empty.
static std::string failureOf(const fs::path& dir, const std::string& command) {
    std::string cmd = "cd '" + dir.string() + "' && (" + command + ") > step.txt 2>&1";
    if (std::system(cmd.c_str()) == 0) return "";
    std::string out = readText(dir / "step.txt");
    return out.empty() ? command + ": failed" : out;
}

std::string Scenario::compileErrors(const std::string& flags) const {
    return failureOf(dir, "gfortran -c " + flags + " -o main.o main.f");
}

std::string Scenario::activatedCompileErrors() const {
    std::ofstream activated(dir / "main.f");
    for (const std::string& line : mainf) activated << (line.starts_with("C!") ? line.substr(2) : line) << '\n';
    activated.close();
    return compileErrors();
}

std::string Scenario::linkAndRunErrors() const {
    std::string link = "gfortran -o main main.f -L'" ZEMKA_STUB_DIR "' -lzemka-solverstub -L'" ZEMKA_MACH_DIR
                       "' -lzemka-mach -lstdc++ -lm";
    std::string failure = failureOf(dir, link);
    return failure.empty() ? failureOf(dir, "./main") : failure;
}

Lines DialogAnswers::lead() const {
    Lines a;
    if (frontEnd) a.push_back("#@");
    a.push_back("n");
    a.insert(a.end(), kind.begin(), kind.end());
    a.insert(a.end(), {doublePrecision ? "y" : "n", nprob});
    return a;
}

Lines DialogAnswers::withOpening(std::initializer_list<const Lines*> steps) const {
    Lines a = lead();
    a.insert(a.end(), globals.begin(), globals.end());
    a.insert(a.end(), {"", blocks ? "y" : "n"});
    for (const Lines* step : steps) a.insert(a.end(), step->begin(), step->end());
    return a;
}

Lines repeated(int n, const std::string& answer) { return Lines(static_cast<std::size_t>(n), answer); }

testing::AssertionResult finished(const Scenario& sc) {
    if (sc.status != 0) return testing::AssertionFailure() << "status " << sc.status << ": " << sc.errors;
    if (!sc.answerFile) {
        std::size_t taken = sc.echo.size() + static_cast<std::size_t>(timesSaid(sc, pausePrompt));
        if (taken != sc.keyboardLines)
            return testing::AssertionFailure() << "zemka took " << taken << " of the " << sc.keyboardLines << " lines typed";
    }
    if (std::find(sc.mainf.begin(), sc.mainf.end(), "      implicit real (a-h,o-z)") != sc.mainf.end())
        for (const std::string& line : sc.mainf)
            if (line.find("dkvr") != std::string::npos)
                return testing::AssertionFailure() << "a single precision program names " << line;
    std::string compiler = sc.compileErrors();
    if (!compiler.empty()) return testing::AssertionFailure() << compiler;
    return testing::AssertionSuccess();
}

std::string spelled(bool doublePrecision, std::string s) {
    for (auto p = s.find("dkvr"); !doublePrecision && p != std::string::npos; p = s.find("dkvr", p)) s[p] = ' ';
    return s;
}

std::string msg(int n) { return "   MSG " + std::to_string(n); }

std::string boxed(const std::string& text) { return "C     " + text + std::string(72 - text.size(), ' ') + "#"; }

bool follows(const Scenario& sc, std::initializer_list<std::string> lines) {
    std::vector<std::string> expanded;
    for (const std::string& l : lines) {
        if (l.starts_with("MSG "))
            expanded.insert(expanded.end(), {rule, boxed(l), rule});
        else
            expanded.push_back(l);
    }
    return sc.hasBlock(expanded);
}

int countContaining(const Scenario& sc, const std::string& part) {
    int n = 0;
    for (const auto& l : sc.program()) n += l.find(part) != std::string::npos;
    return n;
}

int timesSaid(const Scenario& sc, const std::string& line) {
    int n = 0;
    for (const auto& l : sc.terminal) n += rtrim(l) == line;
    return n;
}

std::string marker(const std::string& name) { return "C" + std::string(50, ' ') + name + " DEFINED"; }

std::string expr(const std::string& e) { return "     & " + e; }

std::set<std::string> programNames(const Scenario& sc, const std::set<std::string>& userNames) {
    // Keywords that globp would take as names; in these statements they are not variables.
    static const std::set<std::string> keywords{"call", "common", "data", "do",     "double", "else", "end", "endif",
                                                "go",   "if",     "real", "return", "stop",   "then", "to"};
    static const std::regex stringsAndOperators(R"('[^']*'|\.[a-z]+\.)"), numbers(R"(\b\d[0-9.]*(d[-+]?\d+)?)"),
        identifier("[a-z][a-z0-9]*");
    std::vector<std::string> statements;
    for (const std::string& line : sc.mainf) {
        if (line.size() < 7 || line[0] == 'C' || line[0] == 'c') continue;
        std::string text = rtrim(line.substr(6, 66));
        for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (!line.starts_with("     &")) statements.push_back(text);
        else if (!statements.back().ends_with("=")) statements.back() += text;
    }
    std::set<std::string> names, unit;
    bool parameterCommon = false;
    for (const std::string& st : statements) {
        parameterCommon = parameterCommon || st.starts_with("common/parm8z/");
        if (!st.starts_with("implicit")) {
            std::string words = std::regex_replace(std::regex_replace(st, stringsAndOperators, " "), numbers, " ");
            for (std::sregex_iterator w(words.begin(), words.end(), identifier), end; w != end; ++w)
                if (!keywords.contains(w->str()) && !userNames.contains(w->str())) unit.insert(w->str());
        }
        if (st == "end") {
            if (parameterCommon) names.insert(unit.begin(), unit.end());
            unit.clear();
            parameterCommon = false;
        }
    }
    return names;
}

std::vector<std::string> acceptedGlobals(std::vector<std::string> lead, const std::set<std::string>& names) {
    for (const std::string& name : names) lead.insert(lead.end(), {name, "1"});
    Scenario sc = runZemka(lead);
    std::vector<std::string> accepted;
    for (const std::string& name : names) {
        std::string shown = name.substr(0, 6);
        if (sc.said("  " + shown + std::string(6 - shown.size(), ' ') + " =")) accepted.push_back(name);
    }
    return accepted;
}

}  // namespace zemka::test
