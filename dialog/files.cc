#include "files.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zemka {
namespace {

constexpr std::size_t bufferLimit = 1 << 16;

std::string reason(int err) { return std::strerror(err); }

// The reason a path that exists cannot be used as a file: empty when it is a regular file or
// does not exist yet.
std::string notRegular(const std::filesystem::path& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return "";
    return "not a regular file";
}

// What the interrupt handler needs, kept where a handler may read it.
char temporaryProgram[PATH_MAX];
volatile std::sig_atomic_t haveTemporary = 0;
volatile std::sig_atomic_t answerRecorded = 0;

void registerTemporary(const std::filesystem::path& path) {
    haveTemporary = 0;
    std::string absolute = std::filesystem::absolute(path).string();
    if (absolute.size() >= sizeof temporaryProgram) return;  // cannot be removed on a signal
    std::memcpy(temporaryProgram, absolute.c_str(), absolute.size() + 1);
    haveTemporary = 1;
}

constexpr char resumeHint[] =
    "zemka: interrupted; main.f is unchanged; to resume, cp echo.out zemka.in, start zemka and type # "
    "at the first question\n";
constexpr char nothingTaken[] = "zemka: interrupted before the first answer; main.f and echo.out are unchanged\n";

extern "C" void onInterrupt(int sig) {
    if (haveTemporary) ::unlink(temporaryProgram);
    if (answerRecorded) (void)!::write(2, resumeHint, sizeof resumeHint - 1);
    else (void)!::write(2, nothingTaken, sizeof nothingTaken - 1);
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

}  // namespace

std::FILE* openRegularForReading(const std::filesystem::path& path, std::string& why) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = reason(errno);
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "not a regular file";
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "r");
    if (!f) {
        why = reason(errno);
        ::close(fd);
    }
    return f;
}

OutputFile::~OutputFile() {
    if (fd_ >= 0) ::close(fd_);
}

void OutputFile::failed(int err) const { throw FatalError("cannot write " + name_ + ": " + reason(err)); }

void OutputFile::writeLine(std::string_view line) {
    buffer_.append(line);
    buffer_ += '\n';
    ++lines_;
    bytes_ += line.size() + 1;
    if (buffer_.size() >= bufferLimit) flush();
}

void OutputFile::flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) failed(errno);
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void OutputFile::close() {
    flush();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) failed(errno);
}

ThroughFile::ThroughFile(const std::filesystem::path& path) : OutputFile(-1, path.filename().string()) {
    // No O_TRUNC: an older file stays as it was until the first line of this run. O_NONBLOCK:
    // a FIFO in its place must be refused, not waited on.
    std::string why = notRegular(path);
    if (why.empty()) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
        if (fd_ < 0) why = reason(errno);
        else why = notRegular(path);
    }
    if (!why.empty()) throw FatalError("cannot create " + name_ + ": " + why);
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

void ThroughFile::writeLine(std::string_view line) {
    if (!started_) {
        started_ = true;
        if (::ftruncate(fd_, 0) != 0) failed(errno);
    }
    OutputFile::writeLine(line);
    try {
        flush();
    } catch (const FatalError&) {
        // A line cut short by a full disk would be replayed as a wrong answer: the file keeps
        // the whole lines written before it.
        buffer_.clear();
        (void)!::ftruncate(fd_, ends_.empty() ? 0 : static_cast<off_t>(ends_.back()));
        throw;
    }
    ends_.push_back((ends_.empty() ? 0 : ends_.back()) + static_cast<long long>(line.size()) + 1);
}

void ThroughFile::keepLines(std::size_t n) {
    if (n >= ends_.size()) return;
    off_t end = n == 0 ? 0 : static_cast<off_t>(ends_[n - 1]);
    if (::ftruncate(fd_, end) != 0 || ::lseek(fd_, end, SEEK_SET) != end) failed(errno);
    ends_.resize(n);
}

ProgramFile::ProgramFile(const std::filesystem::path& path)
    : OutputFile(-1, path.filename().string()), target_(path) {
    std::string why = notRegular(path);
    if (why.empty()) {
        std::string pattern = path.string() + ".XXXXXX";
        fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
        if (fd_ < 0) why = reason(errno);
        else temporary_ = pattern;
    }
    if (!why.empty()) throw FatalError("cannot create " + name_ + ": " + why);
    registerTemporary(temporary_);
}

ProgramFile::~ProgramFile() {
    if (committed_) return;
    haveTemporary = 0;
    ::unlink(temporary_.c_str());
}

void ProgramFile::commit() {
    flush();
    // mkstemp makes the file private; main.f gets the mode any new file of the user gets.
    mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd_, 0666 & ~mask) != 0 || (::fsync(fd_) != 0 && errno != EINVAL)) failed(errno);
    close();
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) failed(errno);
    haveTemporary = 0;
    committed_ = true;
}

namespace {

std::filesystem::path scratchDirectory() {
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
}

}  // namespace

ScratchFile::ScratchFile() : OutputFile(-1, "a scratch file in " + scratchDirectory().string()) {
    std::string pattern = (scratchDirectory() / "zemka-XXXXXX").string();
    fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) throw FatalError("cannot create " + name_ + ": " + reason(errno));
    ::unlink(pattern.c_str());
}

void ScratchFile::replay(const std::function<void(const std::string&)>& each) {
    flush();
    if (::lseek(fd_, 0, SEEK_SET) != 0) failed(errno);
    std::string chunk(bufferLimit, '\0'), line;
    for (;;) {
        ssize_t n = ::read(fd_, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FatalError("cannot read " + name_ + ": " + reason(errno));
        if (n == 0) break;
        for (ssize_t k = 0; k < n; ++k) {
            if (chunk[k] != '\n') {
                line += chunk[k];
                continue;
            }
            each(line);
            line.clear();
        }
    }
    if (!line.empty()) each(line);
}

void installInterruptHandlers() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        sigaddset(&action.sa_mask, sig);
    }
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
}

void noteAnswerRecorded() { answerRecorded = 1; }

}  // namespace zemka
