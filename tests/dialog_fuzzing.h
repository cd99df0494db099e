// Random answers for every reader and random message files, shared by the seeded unit test
// and the libFuzzer target. A broken rule throws RuleBroken; the only other exception
// allowed out of a dialog, FatalError at the end of keyboard input, is caught here.
#pragma once

#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog_harness.h"

namespace zemka::test {

struct RuleBroken : std::logic_error {
    using std::logic_error::logic_error;
};

class Random {
public:
    explicit Random(unsigned seed) : rng_(seed) {}

    int below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    template <class T> T pick(const std::vector<T>& v) { return v[below(static_cast<int>(v.size()))]; }

    // An answer line: empty, raw bytes, very long, or pieces that readers care about.
    std::string line();
    Lines lines(int n);
    // A message file: ascending numbered lines, with some corruption when valid is false.
    std::string catalogue(bool valid);

private:
    std::mt19937 rng_;
};

// One session on these keyboard lines (and zemka.in, if given), calling readers chosen by r
// until the keyboard runs dry; then echo.out and main.f are checked.
void fuzzSession(const Lines& keyboard, const std::optional<std::string>& answerFile, Random& r);

// The answer files in examples/, one whole dialog each: the seeds of the dialog fuzzing.
const std::vector<Lines>& dialogSeeds();
// A seed with a few random edits: lines replaced, dropped, repeated, inserted or the end cut.
Lines mutated(Lines seed, Random& r);

// What whole dialogs did.
struct DialogCounts {
    int dialogs = 0;
    int answers = 0;   // keyboard and zemka.in lines offered
    int finished = 0;  // of which wrote main.f (and replayed it from echo.out)
};

// One whole run of zemka in this process, through the driver and whichever generator the
// answers choose, with the shipped message file. The only ways out are a finished main.f
// and a one-line report (FatalError or CatalogueError); a finished run's echo.out must
// replay to the same main.f, and a failed one leaves no main.f nor temporary file.
void fuzzDialog(const Lines& keyboard, const std::optional<std::string>& answerFile, DialogCounts& counts);

// Loads text as zemka.seq: either a report that names the file and a line, or a catalogue
// whose extents hold only their own message and whose lines resolve to 72 characters.
void fuzzCatalogue(const std::string& text, Random& r);

}  // namespace zemka::test
