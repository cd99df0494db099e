#include "driver.h"

#include <fstream>

#include "dialog/dialog.h"
#include "generators/generators.h"

namespace zemka {
namespace {

Catalogue loadCatalogue(const std::filesystem::path& dir) {
    std::ifstream in(dir / "zemka.seq");
    if (!in) throw FatalError("cannot open the message file zemka.seq in the working directory");
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
    Session session(keyboard, terminal, dir, loadCatalogue(dir));
    Driver(session).run();
}

}  // namespace zemka
