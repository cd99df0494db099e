// Answers and program lines are blank-filled to their fields, so their ends are mostly
// blanks: this finds where the text ends a word at a time.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace zemka {

// s without its trailing blanks.
inline std::string_view withoutTrailingBlanks(std::string_view s) {
    constexpr std::uint64_t eightBlanks = 0x2020202020202020;
    std::size_t n = s.size();
    for (std::uint64_t word; n >= sizeof word; n -= sizeof word) {
        std::memcpy(&word, s.data() + n - sizeof word, sizeof word);
        if (word != eightBlanks) break;
    }
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

}  // namespace zemka
