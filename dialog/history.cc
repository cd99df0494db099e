#include "history.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace zemka {
namespace {

// The fixed head of a read in its file, the line's bytes follow: no padding, so nothing
// unset is written.
struct ReadHead {
    std::int64_t offset;
    std::uint64_t length;
    std::uint64_t flags;  // 1: from zemka.in; 2: a line was had
};

// An answer in its file.
struct AnswerRecord {
    std::uint64_t reads, readsEnd, echoLines, echoBytes;
    std::int64_t answerFileOffset;
    std::uint64_t flags;  // 1: zemka.in read before it; 2: refused
};

constexpr std::size_t windowSize = 1 << 16;

}  // namespace

void History::addRead(Source source, bool ok, std::string_view line, std::int64_t offset) {
    ReadHead head{offset, line.size(), (source == Source::answerFile ? 1u : 0u) | (ok ? 2u : 0u)};
    readsFile_.write(std::string_view(reinterpret_cast<const char*>(&head), sizeof head));
    readsFile_.write(line);
    ++reads_;
    next_ = reads_;
    nextAt_ = readsFile_.bytesWritten();
}

void History::rewind() {
    next_ = 0;
    nextAt_ = 0;
}

bool History::nextRead(Read& read) {
    if (next_ >= reads_) return false;
    ReadHead head;
    std::memcpy(&head, readsAt(nextAt_, sizeof head), sizeof head);
    read.source = head.flags & 1 ? Source::answerFile : Source::keyboard;
    read.ok = (head.flags & 2) != 0;
    read.offset = head.offset;
    read.line.assign(readsAt(nextAt_ + sizeof head, head.length), head.length);
    nextAt_ += sizeof head + head.length;
    ++next_;
    return true;
}

const char* History::readsAt(std::uint64_t at, std::size_t size) {
    if (at < windowAt_ || at + size > windowAt_ + window_.size()) {
        std::uint64_t filled = std::min<std::uint64_t>(at + windowSize, readsFile_.bytesWritten());
        std::uint64_t end = std::max<std::uint64_t>(at + size, filled);
        window_.resize(end - at);
        windowAt_ = at;
        if (!readsFile_.read(at, window_.size(), window_.data()))
            throw std::logic_error("the dialog's history ends before its last read");
    }
    return window_.data() + (at - windowAt_);
}

void History::addAnswer(const Answer& answer) {
    if (last_) {
        const Answer& a = *last_;
        AnswerRecord r{a.reads, a.readsEnd, a.echoLines, a.echoBytes, a.answerFileOffset,
                       (a.answerFileRead ? 1u : 0u) | (a.refused ? 2u : 0u)};
        answersFile_.write(std::string_view(reinterpret_cast<const char*>(&r), sizeof r));
        ++answers_;
    }
    last_ = answer;
}

void History::refuseLast() {
    if (last_) last_->refused = true;
}

std::vector<History::Answer> History::lastAccepted(std::size_t count) {
    std::vector<Answer> found;
    if (count > 0 && last_ && !last_->refused) found.push_back(*last_);
    for (std::uint64_t k = answers_; k-- > 0 && found.size() < count;) {
        AnswerRecord r;
        if (!answersFile_.read(k * sizeof r, sizeof r, reinterpret_cast<char*>(&r)))
            throw std::logic_error("the dialog's history ends before its last answer");
        if (r.flags & 2) continue;
        found.push_back({r.reads, r.readsEnd, r.echoLines, r.echoBytes, r.answerFileOffset, (r.flags & 1) != 0, false});
    }
    return found;
}

void History::cutBefore(const std::optional<Answer>& answer) {
    reads_ = answer ? answer->reads : 0;
    readsFile_.cutTo(answer ? answer->readsEnd : 0);
    answersFile_.cutTo(0);
    answers_ = 0;
    last_.reset();
    window_.clear();
    windowAt_ = 0;
    rewind();
}

}  // namespace zemka
