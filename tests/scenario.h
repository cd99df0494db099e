// Runs the built zemka in a fresh directory with an answer script and a test catalogue in
// which message n is the single line "MSG n", and reads back what it produced.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace zemka::test {

struct ScenarioOptions {
    std::string catalogue;              // empty: the "MSG n" catalogue
    std::string answerFile;             // written as zemka.in when not empty
    bool writeCatalogue = true;
    std::string launcher;               // shell text put before the program (settings, a wrapper)
    // The program's standard streams; keys.txt holds the answers.
    std::string streams = "< keys.txt > terminal.txt 2> errors.txt";
    std::vector<std::pair<std::string, std::string>> files;  // more files: name, content
};

// A fresh directory under the system's temporary directory, removed with the last copy of
// the scenario that uses it.
struct ScenarioDir {
    ScenarioDir();
    ~ScenarioDir();
    std::filesystem::path path;
};

struct Scenario {
    std::shared_ptr<ScenarioDir> owner = std::make_shared<ScenarioDir>();
    std::filesystem::path dir = owner->path;
    int status = -1;
    std::vector<std::string> terminal;  // standard output, one entry a line
    std::string errors;                 // standard error
    std::vector<std::string> mainf;     // main.f as written (body lines are 79 wide)
    std::vector<std::string> echo;      // echo.out
    std::size_t keyboardLines = 0;      // the answers typed, pauses included, "#" switches not
    bool answerFile = false;            // whether zemka.in was there, or "<" typed: lines not all echoed

    // main.f with trailing blanks removed, which is how most checks read it.
    std::vector<std::string> program() const;
    // Index of the first trimmed main.f line equal to text at or after from; -1 if none.
    int find(const std::string& text, int from = 0) const;
    bool has(const std::string& text) const { return find(text) >= 0; }
    // Whether the lines follow each other directly in main.f (trimmed).
    bool hasBlock(const std::vector<std::string>& lines) const;
    // Whether a terminal line (trimmed) equals text.
    bool said(const std::string& text) const;
    // Compiles main.f with gfortran -c; returns the compiler's output, empty on success.
    std::string compileErrors(const std::string& flags = "") const;
    // The same with the deactivated lines ("C!", the MATLAB example) switched on; main.f keeps
    // them switched on afterwards.
    std::string activatedCompileErrors() const;
    // Links main.f with the runtime library and the test stand-in of the solver library,
    // then runs the program; returns what went wrong, empty when it ran to its end.
    std::string linkAndRunErrors() const;
};

// The "MSG n" catalogue: message n (1..1000) is the line "MSG n", then the 9999 record.
std::string testCatalogue();
// data/zemka.seq, as the program ships it.
std::string shippedCatalogue();

// Runs zemka with the answers as keyboard lines (each followed by a newline).
// With the shipped message file instead of the test one, set catalogue to shippedCatalogue().
Scenario runZemka(const std::vector<std::string>& answers, const ScenarioOptions& options = {});

// Reads a text file into lines (without their newlines), or whole.
std::vector<std::string> readLines(const std::filesystem::path& path);
std::string readText(const std::filesystem::path& path);

std::string rtrim(std::string s);

// The answers of one generator dialog, step by step. Each class's struct derives from this
// one, which holds the opening every class shares; it adds a field of answers per step of
// its own, with defaults that make a simple valid dialog, and its answers() lays them out in
// dialog order. A scenario replaces the steps it is about.
using Lines = std::vector<std::string>;
struct DialogAnswers {
    bool frontEnd = false;  // "#@" first: the front-end mode, with no zemka.in to read
    bool doublePrecision = true;
    std::string nprob;    // NPROB; empty keeps 1
    Lines globals;        // name, value, ...
    bool blocks = false;  // optional Fortran blocks offered

    // No example, the class, the precision and NPROB: the answers before the first global
    // parameter's name.
    Lines lead() const;

protected:
    explicit DialogAnswers(Lines kind) : kind(std::move(kind)) {}
    // The lead, the global parameters and the blocks question, then the class's steps.
    Lines withOpening(std::initializer_list<const Lines*> steps) const;

private:
    Lines kind;  // the answers that choose the class: "0"; "1", "1"; "2", "1"
};

// The same answer to the next n questions.
Lines repeated(int n, const std::string& answer);

// Checks of the generator scenarios, which run with the "MSG n" catalogue.

// The rule above and below a boxed comment, and the box line of a text.
inline const std::string rule = "C" + std::string(78, '#');
std::string boxed(const std::string& text);

// A run that ended normally, took every answer typed (the answers echoed and the keys that
// ended pauses), and wrote a program gfortran accepts, spelling no library name "dkvr" in a
// single precision program.
testing::AssertionResult finished(const Scenario& sc);
// The library spelling for the precision: "dkvr" in double precision, " kvr" in single.
std::string spelled(bool doublePrecision, std::string s);
// Message n on the terminal.
std::string msg(int n);
// Whether the lines follow each other directly in main.f; an entry "MSG n" stands for the
// three lines of the box that message n leaves in the program.
bool follows(const Scenario& sc, std::initializer_list<std::string> lines);
// The prompt of a pause, which only the RETURN key ends.
inline const std::string pausePrompt = std::string(44, ' ') + "only the RETURN key is read  [RETURN]";
// The start of the complaint about an integer outside its range.
inline const std::string rangeRefused = "|---- Illegal input.  Re-enter integer in the range ";
// How many lines of main.f contain part; how many terminal lines (trimmed) equal line.
int countContaining(const Scenario& sc, const std::string& part);
int timesSaid(const Scenario& sc, const std::string& line);
// The marker comment of a guarded definition, the expression line of an answer, and the
// line that replaces the expression of a defaulted definition.
std::string marker(const std::string& name);
std::string expr(const std::string& e);
inline const std::string defaulted = "C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]";

// The names main.f gives variables, routines and intrinsic functions of its own where a
// global parameter would be seen: every identifier, in lower case, of the generated
// statements of the program units that carry "common/parm8z/". Comment lines, implicit
// statements and the user's expressions (the continuation lines after a statement that ends
// in "=") are not read; Fortran keywords and the names the user chose are left out.
std::set<std::string> programNames(const Scenario& sc, const std::set<std::string>& userNames);
// Offers each name as a global parameter, with the value 1, after the answers lead that bring
// the dialog to the first parameter name; returns the names zemka accepted. The value after
// a refused name is refused in turn as a name, so every name is offered.
std::vector<std::string> acceptedGlobals(std::vector<std::string> lead, const std::set<std::string>& names);

}  // namespace zemka::test
