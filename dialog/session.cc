#include "session.h"

#include <stdexcept>

namespace zemka {
namespace {

// The body and subprogram lines are padded to this width as they are written, so that they
// go into main.f as they stand.
constexpr std::size_t assembledWidth = 79;

}  // namespace

Session::Session(Run& r) : run(r), catalogue(r.catalogue), program_(r.dir / "main.f") {}

void Session::use(Stream s) {
    switch (s) {
    case Stream::header: lunits.current = lunits.header; break;
    case Stream::body: lunits.current = lunits.body; break;
    case Stream::subprograms: lunits.current = lunits.subprograms; break;
    }
}

void Session::record(int channel, std::string_view line) {
    if (channel == lunits.terminal) run.show(line);
    else if (channel == lunits.header) program_.writeLine(line);
    else if (channel == lunits.body) body_.writeLine(line, assembledWidth);
    else if (channel == lunits.subprograms) subprograms_.writeLine(line, assembledWidth);
    else if (channel == lunits.echo) run.recordAnswer(line);
    else throw std::logic_error("write to channel " + std::to_string(channel));
}

void Session::assemble() {
    program_.append(body_);
    program_.append(subprograms_);
    // main.f goes to the disk while the streams' pages are freed and the other files written.
    program_.startWriteback();
    body_.discard();
    subprograms_.discard();
    // A failure to write echo.out, zemka.log or the terminal leaves the old main.f in place.
    run.flush();
    program_.commit();
}

}  // namespace zemka
