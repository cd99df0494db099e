// Messages, answer readers and the source writer.
#include "dialog.h"

#include <climits>

namespace zemka {
namespace {

Items charItems(std::string_view s) {
    Items items;
    appendChars(items, s);
    return items;
}

bool isBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

void Dialog::writeItems(std::string_view format, const Items& items) {
    auto toCurrent = [this](std::string_view r) { session.toCurrent(r); };
    // Most formats name no library routine: they are written as they stand, uncopied.
    if (session.exmp.doublePrecision || format.find("dkvr") == std::string_view::npos)
        formatWrite(format, items, toCurrent);
    else
        formatWrite(inPrecision(format), items, toCurrent);
}

void Dialog::sayItems(std::string_view format, const Items& items) {
    formatWrite(format, items, [this](std::string_view r) { session.say(r); });
}

void Dialog::mess(int mode, int n) {
    auto records = session.catalogue.extent(n);
    if (records.empty()) return;
    int count = 0;
    if (mode != 2) session.messageShown(n);
    if (mode != 1) write("('C',78('#'))");
    for (const MessageRecord* r : records) {
        auto letter = exampleLetters.find(r->letter);
        bool exampleLine = letter != std::string_view::npos;
        if (exampleLine && static_cast<int>(letter) + 1 != session.exmp.example) continue;
        Items line = charItems(Catalogue::resolve(*r, exampleLine, session.unknwn));
        if (mode != 2) {
            formatWrite("(3X,72A1)", line, [this](std::string_view l) { session.show(l); });
            ++count;
        }
        if (mode != 1) writeItems("('C',5X,72A1,'#')", line);
        if (count == session.parms.pageLength) {
            paws();
            count = 0;
        }
    }
    if (mode != 1) write("('C',78('#'))");
}

bool Dialog::answer(int n, std::string& line, Tail tail) {
    auto width = static_cast<std::size_t>(n);
    // After a step back the question now asked goes to the keyboard, even if the one before
    // it was answered from zemka.in.
    if (session.run.takeOver()) session.iffile = 0;
    std::string raw;
    bool fromFile = false;
    while (!fromFile) {
        if (!session.iffile) {
            if (!session.keyboardLine(raw))
                throw FatalError("end of keyboard input (standard input) while an answer was needed");
            if (raw.find_last_not_of(' ') == 0 && raw[0] == '<') {
                if (session.run.stepBack()) throw StepBack{};
                session.run.notice("|---- This is the first question: there is nothing to step back to");
                continue;
            }
            if (!raw.starts_with('#')) break;
            if (raw.starts_with("#@")) session.igui = 1;
        }
        session.iffile = 1;
        std::string why;
        if (!session.answerFileLine(raw, why)) {
            session.iffile = 0;
            session.run.notice("|---- " + why + "; the questions stay at the keyboard");
            continue;
        }
        if (raw.starts_with('#')) {
            session.iffile = 0;
            continue;
        }
        fromFile = true;
    }
    line.assign(raw, 0, width);
    line.resize(width, ' ');
    if (fromFile) session.show(line);
    // Trailing blanks are no part of an answer; anything else beyond the width would be lost.
    auto last = raw.find_last_not_of(' ');
    if (tail == Tail::refused && last != std::string::npos && last >= width) {
        session.unrecordedAnswer(raw);
        return false;
    }
    session.record(session.lunits.echo, line);
    return true;
}

std::string Dialog::readln(int n, int& blank) {
    std::string line;
    while (!answer(n, line, Tail::refused))
        say("(A)", "|---- At most " + std::to_string(n) + " characters here; re-enter");
    blank = isBlank(line) ? 1 : 0;
    return line;
}

int Dialog::ifyes() {
    say("('|---- Enter yes or no')");
    for (;;) {
        // Only column 1 counts, so a longer answer ("yes, please") is taken as it is cut.
        std::string line;
        answer(3, line, Tail::cut);
        char c = line[0];
        if (c == 'y' || c == 'Y') return 1;
        if (c == 'n' || c == 'N') return 0;
        say("('|---- What?  yes or no, starting in first column please.' )");
    }
}

std::string Dialog::rangeText(int lo, int hi) const {
    bool low = lo >= -9999, high = hi <= 9999;
    std::string t;
    if (low && high) t = internalWrite(37, "('in$the$range$',I10,'$to$',I10)", {lo, hi});
    else if (low) t = internalWrite(37, "('in$the$range$',I10,'$to$+INFINITY',1X)", {lo});
    else if (high) t = internalWrite(37, "('in$the$range$-INFINITY$to$',I10,1X)", {hi});
    else t = internalWrite(37, "(37X)", {});
    return delblk(t);
}

int Dialog::iread(std::string_view name, int lo, int hi) {
    std::string range = rangeText(lo, hi);
    bool named = !isBlank(name);
    if (named) say("(2X,A,' =')", name);
    say("('|---- Enter an integer value ',A37)", range);
    // Without a lower bound a value must still fit the ten columns of the assignment, or
    // the program would hold asterisks.
    int least = lo < -9999 ? -999999999 : lo;
    int value = 0;
    for (;;) {
        if (readin(value) && value >= least && (hi > 9999 || value <= hi)) break;
        say("('|---- Illegal input.  Re-enter integer ',A37)", range);
    }
    if (named) write("(6X,A,' = ',I10)", name, value);
    return value;
}

bool Dialog::readin(int& value) {
    int blank;
    std::string line = readln(72, blank);
    auto last = line.find_last_not_of(' ');
    if (last == std::string::npos) return false;
    long long v = 0;
    std::size_t signAt = std::string::npos;
    for (std::size_t q = last + 1; q-- > 0;) {
        char c = line[q];
        std::size_t power = last - q;
        if (c >= '0' && c <= '9') {
            if (c == '0') continue;
            // An answer beyond 32 bits is illegal input, not a wrapped value.
            if (power > 9) return false;
            long long p10 = 1;
            for (std::size_t k = 0; k < power; ++k) p10 *= 10;
            v += (c - '0') * p10;
            if (v > INT_MAX) return false;
        } else if (c == ' ') {
            continue;
        } else if (c == '+' || c == '-') {
            if (c == '-') v = -v;
            signAt = q;
            break;
        } else {
            return false;
        }
    }
    if (signAt != std::string::npos && !isBlank(std::string_view(line).substr(0, signAt))) return false;
    value = static_cast<int>(v);
    return true;
}

void Dialog::instr(std::string_view name, int req) {
    if (req != 0) say("(2X,A,' =')", name);
    else say("(2X,A,' =             (Press [RETURN] to default)')", name);
    say("('|----Enter title or name',15('-'),'|')");
    int blank;
    std::string line;
    for (;;) {
        line = readln(40, blank);
        if (req == 1 && blank) {
            say("('|----Illegal blank line. Re-enter------|')");
            continue;
        }
        break;
    }
    if (blank) return;
    if (line.find('\'') == std::string::npos) {
        Items items{FItem(name)};
        appendChars(items, line);
        writeItems("(6X,A,' = ''',40A1,'''')", items);
        return;
    }
    // An apostrophe must be doubled inside a Fortran string, or the program would not
    // compile; the longer statement is continued like any other.
    std::string quoted;
    for (char c : line) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    userStatement(std::string(name) + " = '" + quoted + "'");
}

void Dialog::paws() {
    session.show(std::string(44, ' ') + "only the RETURN key is read  [RETURN]");
    std::string typed;
    // At the end of keyboard input there is nobody to wait for: a replayed run goes on.
    if (session.keyboardLine(typed) && typed.find_first_not_of(' ') != std::string::npos)
        session.run.notice("|---- Text typed at a pause is no answer; it was not taken");
}

int Dialog::state() { return ++session.ist; }

void Dialog::gui() {
    if (session.igui == 1) write("('C',40('-'),'-> INPUT FROM GUI <-',18('-'))");
}

void Dialog::prec() {
    text(byPrecision("implicit double precision (a-h,o-z)", "implicit real (a-h,o-z)"));
    // The single precision library functions are spelt " kvr..": fixed form ignores the
    // blank, and a name beginning with k would be an INTEGER function under the implicit
    // rule, truncating the start value, the marker time, the density and the data values.
    if (!session.exmp.doublePrecision) text("real kvrxx,kvrlx,kvrgr2,kvr1e,kvrt,kvrex");
}

void Dialog::com(int mode, std::string_view s) {
    std::string line = inPrecision(s.substr(0, 72));
    line.resize(72, ' ');
    Items items = charItems(line);
    bool active = session.parms.comForm != 0;
    switch (mode) {
    case 1: writeItems("('C',78('#'),/,'C',5X,72A1,'#',/,'C',78('#'))", items); break;
    case 2: writeItems("('C',5X,72A1)", items); break;
    case 3: writeItems(active ? "(5X,72A1)" : "('C!',5X,72A1)", items); break;
    default: writeItems(active ? "(72A1)" : "('C!',72A1)", items); break;
    }
}

void Dialog::text(std::string_view s) { userStatement(inPrecision(s)); }

void Dialog::userStatement(std::string_view s) { writeItems("(6X,66A1,/,(5X,'&',66A1))", charItems(s)); }

std::string Dialog::delblk(std::string s) {
    std::string out;
    for (char c : s)
        if (c != ' ') out += c == '$' ? ' ' : c;
    out.resize(s.size(), ' ');
    return out;
}

std::string Dialog::inPrecision(std::string_view doubleText) const {
    std::string s(doubleText);
    if (session.exmp.doublePrecision) return s;
    for (auto p = s.find("dkvr"); p != std::string::npos; p = s.find("dkvr", p + 4)) s[p] = ' ';
    return s;
}

void Dialog::parameterCommon(const GlobalList& globals) {
    Items items(globals.begin(), globals.end());
    writeItems("(6X,'common/parm8z/ pi',6A7,/,(5X,'&',9A7))", items);
}

}  // namespace zemka
