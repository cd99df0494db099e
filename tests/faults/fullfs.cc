// A disk that fills up, for the fault tests: loaded with LD_PRELOAD, it lets writes to files
// under $ZEMKA_FULL_DIR through until $ZEMKA_FULL_AFTER bytes have gone there, then fails
// them with ENOSPC, as a full file system does (the write that crosses the limit is short).
// Copies made by the kernel between files count as writes to their destination. With
// $ZEMKA_NO_KERNEL_COPY set, the kernel copies nothing (EXDEV), as between two file systems.
// Standard output and error stand for the terminal, wherever the test sends them.
#define _GNU_SOURCE 1
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using WriteFunction = ssize_t (*)(int, const void*, size_t);
using CopyFunction = ssize_t (*)(int, off64_t*, int, off64_t*, size_t, unsigned);

bool onFullDisk(int fd) {
    const char* dir = std::getenv("ZEMKA_FULL_DIR");
    if (!dir || !*dir || fd == 1 || fd == 2) return false;
    char link[PATH_MAX];
    std::string proc = "/proc/self/fd/" + std::to_string(fd);
    ssize_t n = ::readlink(proc.c_str(), link, sizeof link - 1);
    if (n < 0) return false;
    link[n] = '\0';
    return std::strncmp(link, dir, std::strlen(dir)) == 0;
}

long long written = 0;  // to the full disk

// How many bytes of size still fit on the full disk; 0 with errno ENOSPC when none do.
size_t room(size_t size) {
    const char* after = std::getenv("ZEMKA_FULL_AFTER");
    long long left = (after ? std::atoll(after) : 0) - written;
    if (left <= 0) errno = ENOSPC;
    return static_cast<size_t>(std::clamp<long long>(left, 0, static_cast<long long>(size)));
}

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static auto realWrite = reinterpret_cast<WriteFunction>(::dlsym(RTLD_NEXT, "write"));
    if (!onFullDisk(fd)) return realWrite(fd, data, size);
    size_t fits = room(size);
    if (fits == 0 && size > 0) return -1;
    ssize_t n = realWrite(fd, data, fits);
    if (n > 0) written += n;
    return n;
}

extern "C" ssize_t copy_file_range(int in, off64_t* inAt, int out, off64_t* outAt, size_t size, unsigned flags) {
    static auto realCopy = reinterpret_cast<CopyFunction>(::dlsym(RTLD_NEXT, "copy_file_range"));
    if (std::getenv("ZEMKA_NO_KERNEL_COPY")) {
        errno = EXDEV;
        return -1;
    }
    if (!onFullDisk(out)) return realCopy(in, inAt, out, outAt, size, flags);
    size_t fits = room(size);
    if (fits == 0 && size > 0) return -1;
    ssize_t n = realCopy(in, inAt, out, outAt, fits, flags);
    if (n > 0) written += n;
    return n;
}
