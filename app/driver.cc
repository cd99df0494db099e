#include "driver.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>

#include "dialog/dialog.h"
#include "generators/generators.h"

namespace zemka {
namespace {

// The message file installed with zemka, found from where the program itself lies.
std::filesystem::path installedMessages() {
    std::error_code ignored;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ignored);
    return (self.parent_path() / ZEMKA_DATA_FROM_BIN / "zemka.seq").lexically_normal();
}

// zemka.seq of the working directory, so that a user's own texts win; else the installed one.
Catalogue loadCatalogue(const std::filesystem::path& dir) {
    std::filesystem::path path = dir / "zemka.seq";
    std::string why;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openRegularForReading(path, why), std::fclose);
    if (!file && why == std::strerror(ENOENT)) {
        path = installedMessages();
        file.reset(openRegularForReading(path, why));
        if (!file && why == std::strerror(ENOENT))
            throw FatalError("cannot open the message file: there is no zemka.seq in the working directory, nor " +
                             path.string());
    }
    if (!file) throw FatalError("cannot open the message file " + path.string() + ": " + why);
    std::string text;
    char chunk[1 << 16];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get())) text.append(chunk, n);
    if (std::ferror(file.get()))
        throw FatalError("cannot read the message file " + path.string() + ": " + std::strerror(errno));
    std::istringstream in(text);
    return Catalogue::load(in, path == dir / "zemka.seq" ? "zemka.seq" : path.string());
}

// What was written and how to build it, as the run's last lines.
void sayWhatWasWritten(Session& session) {
    session.show("   main.f: " + std::to_string(session.programLines()) + " lines, " +
                 std::to_string(session.programBytes()) + " bytes.");
    session.show("   Build it with the solver library and mach, for example:");
    session.show("     gfortran -o main main.f <solver library> $(pkg-config --libs zemka-mach)");
    session.show("   (pkg-config finds zemka-mach once it is installed; see README.md.)");
}

class Driver : Dialog {
public:
    using Dialog::Dialog;

    void run() {
        use(Stream::header);
        com(2, "**************************");
        com(2, "* ZEMKA 9.6 MAIN PROGRAM *");
        com(2, "**************************");
        chooseExample();
        mess(1, 4);
        int dimension = iread("", 0, 3);
        int method = 1;
        if (dimension == 1 || dimension == 2) {
            mess(1, dimension == 1 ? 5 : 6);
            method = iread("", 1, 2);
        }
        generatorFor(dimension, method)(session);
    }

private:
    void chooseExample() {
        session.exmp.example = 0;
        mess(1, 1);
        if (ifyes()) {
            mess(1, 2);
            session.exmp.example = iread("", 0, 15);
        }
        if (session.exmp.example > 0) {
            mess(0, 3);
            paws();
        }
    }
};

}  // namespace

void runSession(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& dir) {
    Run run(keyboard, terminal, dir, loadCatalogue(dir));
    // A step back starts the dialog again, with the answers before that question replayed.
    for (bool done = false; !done;) {
        try {
            Session session(run);
            Driver(session).run();
            sayWhatWasWritten(session);
            done = true;
        } catch (const StepBack&) {
        }
    }
    run.finish();
}

}  // namespace zemka
