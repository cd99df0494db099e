// The message catalogue: zemka.seq held in memory, indexed by message number.
//
// Each record keeps its number, its example letter (column 5) and its 72 text characters.
// direct[j] is the first record of message j (or of the next higher number present), so the
// extent of message n is direct[n] .. direct[n+1]-1, as the file's layout defines it.
#pragma once

#include <array>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zemka {

// A message file that cannot be used; what() names the file and, where known, the line.
class CatalogueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct MessageRecord {
    int number = 0;
    char letter = ' ';
    std::string text;  // always 72 characters
};

// The names of the unknowns, as the placeholders "$$k" need them.
struct Unknowns {
    std::array<int, 101> length{};         // index 1..100
    std::array<std::string, 101> name;     // 3 characters each, index 1..100

    Unknowns() { name.fill("   "); }
};

class Catalogue {
public:
    static constexpr int maxRecords = 20000;
    static constexpr int indexSize = 1000;

    // Reads a message file; fileName is used only in error reports.
    static Catalogue load(std::istream& in, const std::string& fileName);

    // The records of message n (1..999) in file order; empty when it has none.
    std::vector<const MessageRecord*> extent(int n) const;

    // The line as it is shown: example lines as they stand, other lines with "$$k"
    // replaced by the name of unknown k and every other "$" removed.
    static std::string resolve(const MessageRecord& r, bool exampleLine, const Unknowns& u);

    std::size_t size() const { return records_.size(); }

private:
    std::vector<MessageRecord> records_;     // record i+1 of the scratch copy
    std::array<int, indexSize + 1> direct_{};  // 1-based, as the record numbers
};

// The example letters "A".."O": letter k belongs to example k.
constexpr std::string_view exampleLetters = "ABCDEFGHIJKLMNO";

}  // namespace zemka
