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
    "Asks, one question at a time, about one partial differential equation problem and\n"
    "writes the Fortran program main.f that solves it with the solver library.\n"
    "\n"
    "Files in the working directory:\n"
    "  zemka.seq  the question texts; without one here, the copy installed with zemka\n"
    "  main.f     the program, put in place only when the dialog is complete\n"
    "  echo.out   every answer, one a line, written as it is given\n"
    "  zemka.log  the answers numbered, each with the message and prompt it answered\n"
    "  zemka.in   answers prepared beforehand, read only after a # (see below)\n"
    "\n"
    "At a question, # takes that answer and the following ones from zemka.in; a line\n"
    "starting with # in zemka.in hands the questions back to the keyboard. A line holding\n"
    "only < steps back to the question before (again to go further back); the answers from\n"
    "there on are forgotten, in echo.out too.\n"
    "\n"
    "To replay a dialog, or to resume an interrupted one, perhaps after editing answers:\n"
    "  cp echo.out zemka.in\n"
    "  zemka            (and type # at the first question; or: echo '#' | zemka)\n";

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
    // The run flushes the terminal itself whenever it may wait for the keyboard; a tied
    // stream would flush it at every line read, typed ahead or not.
    std::cin.tie(nullptr);
    zemka::installInterruptHandlers();
    try {
        zemka::runSession(std::cin, std::cout, ".");
        if (!std::cout.flush()) {
            std::cerr << "zemka: cannot write the terminal (standard output)\n";
            return 1;
        }
        return 0;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "zemka: " << e.what() << '\n';
        return 1;
    }
}
