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

Catalogue loadCatalogue(const std::filesystem::path& dir) {
    std::string why;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openRegularForReading(dir / "zemka.seq", why), std::fclose);
    if (!file) throw FatalError("cannot open the message file zemka.seq in the working directory: " + why);
    std::string text;
    char chunk[1 << 16];
    while (std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get())) text.append(chunk, n);
    if (std::ferror(file.get())) throw FatalError("cannot read the message file zemka.seq: " + std::string(std::strerror(errno)));
    std::istringstream in(text);
    return Catalogue::load(in, "zemka.seq");
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
        session.exmp[2] = 0;
        mess(1, 1);
        if (ifyes()) {
            mess(1, 2);
            session.exmp[2] = iread("", 0, 15);
        }
        if (session.exmp[2] > 0) {
            mess(0, 3);
            paws();
        }
    }
};

}  // namespace

void runSession(std::istream& keyboard, std::ostream& terminal, const std::filesystem::path& dir) {
    Session session(keyboard, terminal, dir, loadCatalogue(dir));
    Driver(session).run();
}

}  // namespace zemka
