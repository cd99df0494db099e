#include "session.h"

#include <stdexcept>

namespace zemka {

Session::Session(Run& r)
    : run(r), catalogue(r.catalogue), program_(r.dir / "main.f") {
    lunits[1] = 5;
    lunits[2] = 6;
    lunits[3] = 4;
    lunits[5] = 11;
    lunits[6] = 12;
    lunits[7] = 13;
    lunits[8] = 14;
    lunits[9] = 15;
    lunits[4] = lunits[5];
    parms = {0, 22, 6, 6, 0};
}

void Session::use(Stream s) {
    switch (s) {
    case Stream::header: lunits[4] = lunits[5]; break;
    case Stream::body: lunits[4] = lunits[6]; break;
    case Stream::subprograms: lunits[4] = lunits[7]; break;
    }
}

void Session::record(int channel, const std::string& line) {
    if (channel == lunits[2]) run.show(line);
    else if (channel == lunits[5]) program_.writeLine(line);
    else if (channel == lunits[6]) body_.writeLine(line);
    else if (channel == lunits[7]) subprograms_.writeLine(line);
    else if (channel == lunits[9]) run.recordAnswer(line);
    else throw std::logic_error("write to channel " + std::to_string(channel));
}

void Session::assemble() {
    auto copy = [this](const std::string& line) {
        std::string l = line;
        l.resize(79, ' ');
        program_.writeLine(l);
    };
    body_.replay(copy);
    subprograms_.replay(copy);
    program_.commit();
    run.flushTerminal();
}

}  // namespace zemka
