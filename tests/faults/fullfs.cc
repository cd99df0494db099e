// A disk that fills up, for the fault tests: loaded with LD_PRELOAD, it lets writes to files
// under $ZEMKA_FULL_DIR through until $ZEMKA_FULL_AFTER bytes have gone there, then fails
// them with ENOSPC, as a full file system does (the write that crosses the limit is short).
// Standard output and error stand for the terminal, wherever the test sends them.
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

}  // namespace

extern "C" ssize_t write(int fd, const void* data, size_t size) {
    static auto realWrite = reinterpret_cast<WriteFunction>(::dlsym(RTLD_NEXT, "write"));
    static long long written = 0;
    if (!onFullDisk(fd)) return realWrite(fd, data, size);
    const char* after = std::getenv("ZEMKA_FULL_AFTER");
    long long room = (after ? std::atoll(after) : 0) - written;
    if (room <= 0) {
        errno = ENOSPC;
        return -1;
    }
    ssize_t n = realWrite(fd, data, static_cast<size_t>(std::min<long long>(room, static_cast<long long>(size))));
    if (n > 0) written += n;
    return n;
}
