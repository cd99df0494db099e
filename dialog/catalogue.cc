#include "catalogue.h"

#include <cctype>

namespace zemka {
namespace {

[[noreturn]] void bad(const std::string& file, int line, const std::string& why) {
    throw CatalogueError(file + ", line " + std::to_string(line) + ": " + why);
}

// Columns 1-4 read as Fortran's I4: blanks ignored, an optional sign, digits.
bool readNumberField(const std::string& field, int& value) {
    std::string digits;
    bool negative = false, sign = false;
    for (char c : field) {
        if (c == ' ') continue;
        if ((c == '+' || c == '-') && digits.empty() && !sign) {
            sign = true;
            negative = c == '-';
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            digits += c;
        } else {
            return false;
        }
    }
    value = digits.empty() ? 0 : std::stoi(digits);
    if (negative) value = -value;
    return true;
}

// The "$$k" placeholders a resolved line would meet, scanned as mess scans them; k must be
// a digit 1..9, since no other unknown can be named.
bool placeholdersValid(const std::string& text) {
    for (std::size_t l = 0; l + 2 < 71; ++l)
        if (text[l] == '$' && text[l + 1] == '$' && !(text[l + 2] >= '1' && text[l + 2] <= '9'))
            return false;
    return true;
}

}  // namespace

Catalogue Catalogue::load(std::istream& in, const std::string& fileName) {
    Catalogue c;
    int last = 0;
    std::string line;
    for (int i = 1;; ++i) {
        if (!std::getline(in, line)) {
            if (in.bad()) bad(fileName, i, "cannot be read");
            bad(fileName, i, "ends without the closing record numbered 9999");
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line.resize(77, ' ');
        MessageRecord r;
        if (!readNumberField(line.substr(0, 4), r.number))
            bad(fileName, i, "columns 1-4 do not hold a message number");
        if (r.number == 9999) return c;
        // Cutting a longer file would silently lose its last messages.
        if (i > maxRecords)
            bad(fileName, i, "more than " + std::to_string(maxRecords) + " records before the closing record numbered 9999");
        if (r.number < 1 || r.number > indexSize)
            bad(fileName, i, "message number " + std::to_string(r.number) + " is outside 1 to 1000");
        if (r.number < last)
            bad(fileName, i, "message numbers must ascend (" + std::to_string(r.number) +
                                 " follows " + std::to_string(last) + ")");
        r.letter = line[4];
        r.text = line.substr(5, 72);
        bool lettered = exampleLetters.find(r.letter) != std::string_view::npos;
        if (!lettered && !placeholdersValid(r.text))
            bad(fileName, i, "\"$$\" must be followed by a digit 1 to 9");
        c.records_.push_back(std::move(r));
        int number = c.records_.back().number;
        for (int j = last + 1; j <= number; ++j) c.direct_[j] = i;
        last = number;
    }
}

std::vector<const MessageRecord*> Catalogue::extent(int n) const {
    std::vector<const MessageRecord*> out;
    if (n < 1 || n >= indexSize) return out;
    int first = direct_[n], last = direct_[n + 1] - 1;
    for (int r = first; r <= last && r >= 1; ++r) out.push_back(&records_[r - 1]);
    return out;
}

std::string Catalogue::resolve(const MessageRecord& r, bool exampleLine, const Unknowns& u) {
    std::string text = r.text;
    if (exampleLine) return text;
    for (std::size_t l = 0; l + 2 < 71; ++l) {
        if (text[l] != '$' || text[l + 1] != '$') continue;
        int k = text[l + 2] - '0';
        const std::string& name = u.name[k];
        int len = u.length[k];
        if (len == 1) text[l + 2] = name[0];
        else if (len == 2) text.replace(l + 1, 2, name.substr(0, 2));
        else text.replace(l, 3, name.substr(0, 3));
    }
    std::string squeezed;
    for (std::size_t p = 0; p < 71; ++p)
        if (text[p] != '$') squeezed += text[p];
    squeezed.resize(71, ' ');
    return squeezed + text[71];
}

}  // namespace zemka
