#include "session.h"

#include <stdexcept>

namespace zemka {

Session::Session(Run& r) : run(r), catalogue(r.catalogue), program_(r.dir / "main.f") {}

void Session::use(Stream s) {
    switch (s) {
    case Stream::header: lunits.current = lunits.header; break;
    case Stream::body: lunits.current = lunits.body; break;
    case Stream::subprograms: lunits.current = lunits.subprograms; break;
    }
}

void Session::record(int channel, const std::string& line) {
    if (channel == lunits.terminal) run.show(line);
    else if (channel == lunits.header) program_.writeLine(line);
    else if (channel == lunits.body) body_.writeLine(line);
    else if (channel == lunits.subprograms) subprograms_.writeLine(line);
    else if (channel == lunits.echo) run.recordAnswer(line);
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
