#include "files.h"

#include <algorithm>
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
// The block in which a scratch stream is copied into main.f.
constexpr std::size_t copyBlock = 1 << 16;

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

// The through files whose held lines an interrupt writes out: a run has two, echo.out and
// zemka.log.
std::atomic<ThroughFile*> throughFiles[4];

extern "C" void onInterrupt(int sig) {
    for (auto& slot : throughFiles)
        if (const ThroughFile* file = slot.load()) file->writeHeldOnInterrupt();
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

std::size_t OutputFile::writeOut(const char* data, std::size_t size) const {
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd_, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void OutputFile::writeLine(std::string_view line, std::size_t width) {
    std::size_t padded = std::max(width, line.size()), at = buffer_.size();
    buffer_.resize(at + padded + 1, ' ');
    line.copy(buffer_.data() + at, line.size());
    buffer_.back() = '\n';
    ++lines_;
    bytes_ += padded + 1;
    if (buffer_.size() >= bufferLimit) flush();
}

void OutputFile::append(ScratchFile& from) {
    from.flush();
    flush();
    if (!copyInKernel(from)) copyInBlocks(from);
    lines_ += from.lines_;
    bytes_ += from.bytes_;
}

bool OutputFile::copyInKernel(ScratchFile& from) {
    // The stream's pages are copied to main.f's by the kernel, not read into this process and
    // written back. Between file systems (or kernels) that cannot, nothing is copied and the
    // blocks below do it.
    loff_t at = 0;
    while (static_cast<std::uintmax_t>(at) < from.bytes_) {
        auto rest = static_cast<std::size_t>(std::min<std::uintmax_t>(SSIZE_MAX, from.bytes_ - at));
        ssize_t n = ::copy_file_range(from.fd_, &at, fd_, nullptr, rest, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && at == 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            return false;
        if (n < 0) failed(errno);
        if (n == 0) throw FatalError("cannot read " + from.name_ + ": the file is shorter");
    }
    return true;
}

void OutputFile::copyInBlocks(ScratchFile& from) {
    std::unique_ptr<char[]> block(new char[copyBlock]);
    for (std::uintmax_t at = 0; at < from.bytes_;) {
        auto size = static_cast<std::size_t>(std::min<std::uintmax_t>(copyBlock, from.bytes_ - at));
        if (!from.read(at, size, block.get())) throw FatalError("cannot read " + from.name_ + ": the file is shorter");
        if (writeOut(block.get(), size) != size) failed(errno);
        at += size;
    }
}

void OutputFile::flush() {
    if (writeOut(buffer_.data(), buffer_.size()) != buffer_.size()) failed(errno);
    buffer_.clear();
}

void OutputFile::endAt(std::uintmax_t size) {
    auto end = static_cast<off_t>(size);
    if (::ftruncate(fd_, end) != 0 || ::lseek(fd_, end, SEEK_SET) != end) failed(errno);
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
    for (auto& slot : throughFiles) {
        ThroughFile* none = nullptr;
        if (slot.compare_exchange_strong(none, this)) break;
    }
}

ThroughFile::~ThroughFile() {
    if (fd_ >= 0) {
        try {
            flush();
        } catch (const FatalError&) {
        }
    }
    for (auto& slot : throughFiles) {
        ThroughFile* self = this;
        slot.compare_exchange_strong(self, nullptr);
    }
}

void ThroughFile::writeLine(std::string_view line) {
    if (!started_) {
        started_ = true;
        if (::ftruncate(fd_, 0) != 0) failed(errno);
    }
    std::size_t size = line.size() + 1;
    if (held_ + size > capacity_) flush();
    if (size > capacity_) {
        // Only with nothing held may the handler see another buffer.
        capacity_ = std::max(size, bufferLimit);
        std::unique_ptr<char[]> bigger(new char[capacity_]);
        heldData_ = bigger.get();
        heldBuffer_ = std::move(bigger);
    }
    char* at = heldBuffer_.get() + held_;
    std::memcpy(at, line.data(), line.size());
    at[line.size()] = '\n';
    // The handler sees the line only once it is whole.
    held_ += size;
}

void ThroughFile::flush() {
    std::size_t held = held_;
    std::size_t written = writeOut(heldBuffer_.get(), held);
    if (written != held) {
        int err = errno;
        keepWholeLines(written);
        failed(err);
    }
    // First nothing held, then the new end: the handler never writes a line twice elsewhere.
    held_ = 0;
    heldAt_ += held;
}

void ThroughFile::keepWholeLines(std::size_t written) {
    // A line cut short by a full disk would be replayed as a wrong answer.
    std::string_view out(heldBuffer_.get(), written);
    std::size_t whole = out.find_last_of('\n') + 1;  // 0 when no line is whole
    std::uintmax_t end = heldAt_ + whole;
    held_ = 0;
    heldAt_ = end;
    (void)!::ftruncate(fd_, static_cast<off_t>(end));
    ::lseek(fd_, static_cast<off_t>(end), SEEK_SET);
}

void ThroughFile::close() {
    flush();
    OutputFile::close();
}

void ThroughFile::cutTo(std::uintmax_t size) {
    flush();
    if (size >= heldAt_) return;
    endAt(size);
    heldAt_ = size;
}

void ThroughFile::writeHeldOnInterrupt() const noexcept {
    const char* data = heldData_;
    std::size_t held = held_;
    auto at = static_cast<off_t>(heldAt_);
    std::size_t done = 0;
    while (fd_ >= 0 && done < held) {
        ssize_t n = ::pwrite(fd_, data + done, held - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done == held) return;
    while (done > 0 && data[done - 1] != '\n') --done;
    (void)!::ftruncate(fd_, at + static_cast<off_t>(done));
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

void ProgramFile::startWriteback() {
    flush();
    // Only a start: commit's fsync reports any failure.
    (void)::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
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

void ScratchFile::write(std::string_view bytes) {
    buffer_.append(bytes);
    bytes_ += bytes.size();
    if (buffer_.size() >= bufferLimit) flush();
}

bool ScratchFile::read(std::uintmax_t at, std::size_t size, char* out) {
    flush();
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(at + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw FatalError("cannot read " + name_ + ": " + reason(errno));
        if (n == 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void ScratchFile::cutTo(std::uintmax_t size) {
    flush();
    endAt(size);
    bytes_ = size;
}

void ScratchFile::discard() {
    buffer_.clear();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
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
