// libFuzzer entry for the dialog core. The first byte chooses the message file (odd) or a
// dialog (even), the next four seed the choice of readers and their arguments, and the rest
// is the message file or the keyboard text; in a dialog, a line holding only "\x01" starts
// the text of zemka.in.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "dialog_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zemka::test;
    if (size < 5) return 0;
    Random r(data[1] | data[2] << 8 | data[3] << 16 | static_cast<unsigned>(data[4]) << 24);
    std::string text(reinterpret_cast<const char*>(data) + 5, size - 5);
    if (data[0] & 1) {
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
    fuzzSession(keyboard, answerFile, r);
    return 0;
}
