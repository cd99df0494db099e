// zemka: writes a Fortran program for a PDE problem described in a question-and-answer dialog.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <exception>
#include <iostream>

#include "driver.h"
#include "dialog/session.h"

namespace {

constexpr const char* usage =
    "usage: zemka\n"
    "\n"
    "Asks a series of questions about one partial differential equation problem and writes\n"
    "the Fortran program main.f that solves it. Run it in a directory that holds the message\n"
    "file zemka.seq. Every answer is recorded in echo.out; copy that file to zemka.in and type\n"
    "'#' at the first question to replay the answers.\n";

// A closed standard descriptor would be taken by the first file opened (echo.out would receive
// the terminal's lines): each is bound to /dev/null instead.
void openStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
}

}  // namespace

int main(int argc, char** argv) {
    openStandardDescriptors();
    if (argc > 1) {
        if (std::strcmp(argv[1], "--help") == 0) {
            std::cout << usage;
            return 0;
        }
        if (std::strcmp(argv[1], "--version") == 0) {
            std::cout << "zemka " ZEMKA_VERSION "\n";
            return 0;
        }
        std::cerr << "zemka: takes no arguments (try zemka --help)\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    zemka::installInterruptHandlers();
    try {
        zemka::runSession(std::cin, std::cout, ".");
        std::cout.flush();
        return 0;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "zemka: " << e.what() << '\n';
        return 1;
    }
}
