// libFuzzer entry for the dialog core. The first byte chooses, by its remainder modulo 3, a
// session of single readers (0), a message file (1) or a whole dialog (2); the next four seed
// the random choices, and the rest is the keyboard text or the message file. In a session or
// a dialog, a line holding only "\x01" starts the text of zemka.in. A whole dialog is one of
// the example answer files, edited at random, with the keyboard text typed in at one place.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "dialog_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zemka::test;
    if (size < 5) return 0;
    Random r(data[1] | data[2] << 8 | data[3] << 16 | static_cast<unsigned>(data[4]) << 24);
    std::string text(reinterpret_cast<const char*>(data) + 5, size - 5);
    if (data[0] % 3 == 1) {
        fuzzCatalogue(text, r);
        return 0;
    }
    std::optional<std::string> answerFile;
    if (auto split = text.find("\n\x01\n"); split != std::string::npos) {
        answerFile = text.substr(split + 3);
        text.resize(split + 1);
    }
    Lines keyboard;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) keyboard.push_back(line);
    if (data[0] % 3 == 0) {
        fuzzSession(keyboard, answerFile, r);
        return 0;
    }
    Lines dialog = mutated(r.pick(dialogSeeds()), r);
    dialog.insert(dialog.begin() + r.below(static_cast<int>(dialog.size()) + 1), keyboard.begin(), keyboard.end());
    DialogCounts counts;
    fuzzDialog(dialog, answerFile, counts);
    return 0;
}
