// What a run has read and taken so far, for the replay after a step back: every line read
// (from the keyboard or zemka.in) and every answer taken, in order. Both lists live in
// scratch files, so memory stays the same however long the dialog grows; only the last
// answer is held, since a complaint may still mark it refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files.h"

namespace zemka {

class History {
public:
    enum class Source : std::uint8_t { keyboard, answerFile };
    // One line read, as it was read.
    struct Read {
        Source source;
        bool ok;
        std::string line;      // the line, or why there was none
        std::int64_t offset;   // zemka.in's position after it
    };
    // One answer taken: how far the reads and echo.out had come after it, where zemka.in
    // stood then, and whether a complaint refused it.
    struct Answer {
        std::uint64_t reads = 0;
        std::uint64_t readsEnd = 0;  // where those reads end in their scratch file
        std::uint64_t echoLines = 0;
        std::uint64_t echoBytes = 0;
        std::int64_t answerFileOffset = 0;
        bool answerFileRead = false;  // whether zemka.in was read before it at all
        bool refused = false;
    };

    // Reads, appended as they happen; a new read counts as given.
    void addRead(Source source, bool ok, std::string_view line, std::int64_t offset);
    std::uint64_t reads() const { return reads_; }
    // The reads again from the first: each call gives the next one; false after the last.
    void rewind();
    bool nextRead(Read& read);
    // How many reads have been given (by the replay or as they were added), and where they
    // end in their file.
    std::uint64_t given() const { return next_; }
    std::uint64_t givenEnd() const { return nextAt_; }

    // Answers, appended as they are taken.
    void addAnswer(const Answer& answer);
    // Marks the last answer refused; nothing when there is none.
    void refuseLast();
    // Up to count answers not refused, the latest first.
    std::vector<Answer> lastAccepted(std::size_t count);
    // Keeps the reads before that answer (all of them without one) and forgets every answer:
    // the replay takes them again.
    void cutBefore(const std::optional<Answer>& answer);

private:
    // size bytes of the reads file from at, through a window that a replay moves forward.
    const char* readsAt(std::uint64_t at, std::size_t size);

    ScratchFile readsFile_;
    ScratchFile answersFile_;
    std::uint64_t reads_ = 0;
    std::uint64_t next_ = 0;       // the next read to give
    std::uint64_t nextAt_ = 0;     // and where it starts
    std::string window_;
    std::uint64_t windowAt_ = 0;
    std::optional<Answer> last_;   // the last answer, not yet in its file
    std::uint64_t answers_ = 0;    // answers in their file
};

}  // namespace zemka
