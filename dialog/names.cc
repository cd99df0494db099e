// Names, expressions, parameters, vectors, matrices and guarded definitions.
#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "blanks.h"
#include "dialog.h"

namespace zemka {
namespace {

Items withChars(std::initializer_list<FItem> head, std::string_view s) {
    Items items(head);
    appendChars(items, s);
    return items;
}

bool alnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// Fortran names are case-blind, so "U" and "u" are the same variable.
bool sameLetters(std::string_view a, std::string_view b) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

bool sameName(std::string_view a, std::string_view b) {
    return sameLetters(withoutTrailingBlanks(a), withoutTrailingBlanks(b));
}

// Whether name is the entry of a reserved list, or for an entry "a#" is a followed by a
// number from 1 to 99 (written as the program writes it, without leading zeros).
bool reservedEntry(std::string_view name, std::string_view entry) {
    if (!entry.ends_with('#')) return sameName(name, entry);
    std::string_view letters = entry.substr(0, entry.size() - 1);
    if (name.size() <= letters.size() || !sameName(name.substr(0, letters.size()), letters)) return false;
    std::string_view number = name.substr(letters.size());
    auto digit = [](char d) { return std::isdigit(static_cast<unsigned char>(d)) != 0; };
    return number.size() <= 2 && number[0] != '0' && std::all_of(number.begin(), number.end(), digit);
}

// Fortran's intrinsic functions of at most six letters: a variable of one of these names
// hides the function in every program unit that holds it.
constexpr std::string_view intrinsicFunctions =
    "abs acos aimag aint alog alog10 amax0 amax1 amin0 amin1 amod anint asin atan atan2 cabs ccos cexp char "
    "clog cmplx conjg cos cosh csin csqrt dabs dacos dasin datan datan2 dble dcos dcosh ddim dexp dim dint "
    "dlog dlog10 dmax1 dmin1 dmod dnint dprod dsign dsin dsinh dsqrt dtan dtanh exp float floor iabs ichar "
    "idim idint idnint ifix index int isign len lge lgt lle llt log log10 max max0 max1 min min0 min1 mod "
    "modulo nint real sign sin sinh sngl sqrt sum tan tanh";

bool listed(std::string_view name, std::string_view list) {
    for (std::size_t at = list.find_first_not_of(' '); at != std::string_view::npos;) {
        std::size_t end = std::min(list.find(' ', at), list.size());
        if (reservedEntry(name, list.substr(at, end - at))) return true;
        at = list.find_first_not_of(' ', end);
    }
    return false;
}

// Each unknown's name is checked with every derivative suffix against the whole list, so the
// list is looked up rather than walked.
bool intrinsic(std::string_view name) {
    static const auto functions = [] {
        std::unordered_set<std::string_view> set;
        std::string_view list = intrinsicFunctions;
        for (std::size_t at = list.find_first_not_of(' '); at != std::string_view::npos;) {
            std::size_t end = std::min(list.find(' ', at), list.size());
            set.insert(list.substr(at, end - at));
            at = list.find_first_not_of(' ', end);
        }
        return set;
    }();
    return functions.contains(lowerCase(withoutTrailingBlanks(name)));
}

std::string trimmed(std::string_view s) { return std::string(withoutTrailingBlanks(s)); }

// Whether a global parameter of this name would be one of the generated program's own names
// (see NameTables::reserved).
bool reservedName(std::string_view name, const std::vector<std::string_view>& lists) {
    std::string lowered = lowerCase(name);
    if (lowered.ends_with("8z") || lowered.starts_with("dkvr") || lowered.starts_with("kvr")) return true;
    for (std::string_view list : lists)
        if (listed(name, list)) return true;
    return false;
}

}  // namespace

// c is the whole answer field. A name starts in column 1 and ends before the last column; a
// one-letter name needs its letter in let1; a longer one starts with a letter of let2, is not
// forbidden, and goes on with letters and digits only (anything else would break the
// generated Fortran).
bool Dialog::legalName(std::string_view c, std::size_t width, const NameTables& t) const {
    if (c[0] == ' ' || c[width - 1] != ' ') return false;
    auto end = c.find(' ');
    if (c.find_first_not_of(' ', end) != std::string_view::npos) return false;
    if (end == 1) return t.let1.find(c[0]) != std::string_view::npos;
    if (t.let2.find(c[0]) == std::string_view::npos) return false;
    for (std::size_t k = 1; k < end; ++k)
        if (!alnum(c[k])) return false;
    for (std::size_t f = 0; f + 3 <= t.forb.size(); f += 3)
        if (c.substr(0, 3) == t.forb.substr(f, 3)) return false;
    return true;
}

std::string_view Dialog::expressionFault(std::string_view line) {
    int depth = 0;
    bool quoted = false;
    // The blanks that fill the answer field change nothing.
    for (char c : withoutTrailingBlanks(line)) {
        if (c == '\'') quoted = !quoted;  // a doubled quote inside a string toggles twice
        if (quoted || c == '\'') continue;
        if (c == '!' || c == ';') return "|---- ! and ; would cut the Fortran statement; re-enter";
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if (depth < 0) break;
    }
    if (quoted) return "|---- Unclosed quote; re-enter";
    if (depth != 0) return "|---- Unbalanced parentheses; re-enter";
    return {};
}

std::string Dialog::readex(int req, int& blank) {
    say("('|----Enter constant or FORTRAN expression',23('-'),'|')");
    for (;;) {
        std::string line = readln(65, blank);
        if (req == 1 && blank) {
            say("('|----Illegal blank line. Enter constant or FORTRAN ',    'expression---|')");
            continue;
        }
        if (std::string_view fault = expressionFault(line); !fault.empty()) {
            say("(A)", fault);
            continue;
        }
        return line;
    }
}

void Dialog::invar(std::string_view name, int req) {
    if (req != 0) say("(2X,A,' =')", name);
    else say("(2X,A,' =             (Press [RETURN] to default)')", name);
    int blank;
    std::string line = readex(req, blank);
    if (!blank) writeItems("(6X,A,' =',/,5X,'& ',65A1)", withChars({FItem(name)}, line));
}

int Dialog::inparm(std::string_view name, int lo, int hi) {
    say("(2X,A,' =')", name);
    int value = iread("", lo, hi);
    std::string buffer = delblk(internalWrite(22, "('(',A7,'$=$',I10,')')", {name, value}));
    write("(6X,'PARAMETER ',A22)", buffer);
    return value;
}

void Dialog::iadd(int level, std::string_view what) {
    if (level != 0) {
        if (level > session.exmp.blockLevel) return;
        say("(/,'  Do you want to write a FORTRAN block to define',     ' some parameters to be',/,"
            "'   used in the definition of ',A,'?')",
            what);
        if (!ifyes()) return;
    }
    say("(' Remember to begin FORTRAN statements in column 7',/,    "
        "'|-----7-----Input FORTRAN now (type blank line to terminate)',   '-----------|')");
    for (;;) {
        int blank;
        std::string line = readln(72, blank);
        if (blank) return;
        if (std::string_view fault = blockLineFault(line); !fault.empty()) {
            say("(A)", fault);
            continue;
        }
        writeItems("(72A1)", withChars({}, line));
    }
}

// Columns 1-5 hold a label or nothing, unless column 1 marks a comment; a tab ends them.
std::string_view Dialog::blockLineFault(std::string_view line) {
    if (std::string_view("Cc*!").find(line[0]) != std::string_view::npos) return {};
    for (char c : line.substr(0, 5)) {
        if (c == '\t') break;
        if (c != ' ' && !std::isdigit(static_cast<unsigned char>(c)))
            return "|---- Columns 1-5 hold a label, or a comment mark in column 1; re-enter";
    }
    return {};
}

void Dialog::varnam(const NameTables& tables, int nvar, const UnknownNaming& naming) {
    Unknowns& u = session.unknwn;
    EarlierForms earlier;
    for (int i = 1; i <= nvar; ++i) {
        for (;;) {
            if (i <= 9) say("(' U',I1,' =')", i);
            else say("(' U',I2,' =')", i);
            std::string c;
            bool within = answer(4, c, Tail::refused);
            if (c[1] == ' ') c[2] = ' ';  // a blank in column 2 ends a one-letter name
            if (!within || !legalName(c, 4, tables)) {
                say("('|---- Illegal variable name, re-enter in columns 1-3')");
                continue;
            }
            // Two unknowns of one name (or an unknown named like another's derivative, like a
            // global parameter or like a Fortran function) would silently be one name in the
            // program.
            if (std::string with = clash(c, naming, earlier); !with.empty()) {
                say("(A)", "|---- " + trimmed(c) + " would clash with " + with + ", re-enter in columns 1-3");
                continue;
            }
            u.length[i] = c[1] == ' ' ? 1 : c[2] == ' ' ? 2 : 3;
            u.name[i] = c.substr(0, 3);
            std::string name = lowerCase(trimmed(c));
            earlier.try_emplace(name, EarlierForm{i, 0});
            for (std::size_t f = 1; f <= naming.suffixes.size(); ++f)
                earlier.try_emplace(lowerCase(name + naming.suffixes[f - 1]), EarlierForm{i, f});
            break;
        }
    }
}

std::string Dialog::clash(std::string_view c, const UnknownNaming& naming, const EarlierForms& earlier) const {
    std::vector<std::string> mine{trimmed(c)};
    for (const std::string& suffix : naming.suffixes) mine.push_back(mine[0] + suffix);
    for (const std::string& form : mine) {
        if (intrinsic(form)) return "the Fortran function " + lowerCase(form);
        for (const std::string& g : naming.globals)
            if (sameName(form, g)) return "the global parameter " + trimmed(g);
        for (const std::string& t : naming.taken)
            if (sameName(form, t)) return "the program's own " + lowerCase(trimmed(t));
    }
    // The first unknown before, and the first of its forms, that one of mine is.
    const EarlierForm* first = nullptr;
    for (const std::string& form : mine) {
        auto it = earlier.find(lowerCase(form));
        if (it != earlier.end() &&
            (!first || std::pair(it->second.unknown, it->second.form) < std::pair(first->unknown, first->form)))
            first = &it->second;
    }
    if (!first) return {};
    std::string theirs(withoutTrailingBlanks(session.unknwn.name[first->unknown]));
    return (first->form == 0 ? "" : theirs + naming.suffixes[first->form - 1] + " of ") + "the unknown " + theirs;
}

void Dialog::invec(std::string_view name, int first, int last, int req) {
    for (int i = first; i <= last; ++i) {
        std::string buffer = delblk(internalWrite(21, "(A7,'(',I10,')$=')", {name, i}));
        if (req != 0) say("(2X,A21)", buffer);
        else say("(2X,A21,'   (Press [RETURN] to default)')", buffer);
        int blank;
        std::string line = readex(req, blank);
        if (!blank) writeItems("(6X,A21,/,5X,'& ',65A1)", withChars({FItem(buffer)}, line));
    }
}

void Dialog::inmat(std::string_view name, int i1, int i2, int j1, int j2, int req) {
    for (int j = j1; j <= j2; ++j) {
        if (i2 > i1) spacer();
        for (int i = i1; i <= i2; ++i) {
            std::string buffer =
                delblk(internalWrite(32, "(A7,'(',I10,',',I10,')$=')", {name, i, j}));
            if (req != 0) say("(2X,A32)", buffer);
            else say("(2X,A32,'   (Press [RETURN] to default)')", buffer);
            int blank;
            std::string line = readex(req, blank);
            if (!blank) writeItems("(6X,A32,/,5X,'& ',65A1)", withChars({FItem(buffer)}, line));
        }
    }
}

// The displayed name of component i of n: the name alone for a single component, else the
// name followed by i (as Fortran's I1 or I2 would write it, without padding).
static std::string componentName(std::string_view vname, int i, int n) {
    return n < 2 ? std::string(vname) : std::string(vname) + std::to_string(i);
}

void Dialog::vecfun(std::string_view vname, int i, int n, int code, std::string_view lhs, int mode,
                    std::string_view sel) {
    std::string shown = componentName(vname, i, n);
    int blank = 1;
    std::string line;
    if (mode <= 2) {
        if (mode == 0) say("(' ',A,' =')", shown);
        else if (mode == 1) say("(' ',A, ' =         (Press [RETURN] to default)')", shown);
        else say("(' ',A, ' =         (Press [RETURN] to default to 0)')", shown);
        line = readex(mode == 0 ? 1 : 0, blank);
    }
    write("('C',50X,A,' DEFINED')", shown);
    if (blank) {
        write("('C     if (',A,'.eq.',I5,') ',A,' =', /,                  "
              "'C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]')",
              sel, code, lhs);
    } else {
        writeItems("('      if (',A,'.eq.',I5,') ',A,' =', /,5X,'& ',65A1)",
                   withChars({FItem(sel), FItem(code), FItem(lhs)}, line));
    }
}

void Dialog::matfun(std::string_view vname, int i, int n, std::string_view uname, int code1, int code2,
                    std::string_view lhs, int skip) {
    std::string shown = componentName(vname, i, n);
    int blank = 1;
    std::string line;
    if (skip == 0) {
        say("(' ',A,'.',A,' =   ',                                      "
            "'(Press [RETURN] to default, if ',A,                              "
            "' is a linear function of ',A,')')",
            shown, uname, shown, uname);
        line = readex(0, blank);
    }
    write("('C',50X,A,'.',A,' DEFINED')", shown, uname);
    if (blank) {
        write("('C     if (i8z.eq.',I5,'.and.j8z.eq.',I5,') ', A,' =',    "
              "/,'C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]')",
              code1, code2, lhs);
    } else {
        writeItems("('      if (i8z.eq.',I5,'.and.j8z.eq.',I5,') ', A,' =',    /,5X,'& ',65A1)",
                   withChars({FItem(code1), FItem(code2), FItem(lhs)}, line));
    }
}

GlobalList Dialog::globp(const NameTables& tables) {
    use(Stream::body);
    GlobalList list;
    for (;;) {
        say("(' Parameter name = (type blank line to terminate)')");
        std::string c;
        bool within = answer(7, c, Tail::refused);
        if (within && c.find_first_not_of(' ') == std::string::npos) return list;
        if (!within || !legalName(c, 7, tables)) {
            say("('|---- Illegal parameter name, re-enter in columns 1-6')");
            continue;
        }
        if (intrinsic(trimmed(c))) {
            say("(A)", "|---- " + trimmed(c) + " is a Fortran function, re-enter in columns 1-6");
            continue;
        }
        if (reservedName(c.substr(0, c.find(' ')), tables.reserved)) {
            say("('|---- Name used by the program itself, re-enter in columns 1-6')");
            continue;
        }
        // A name twice in the parameter common line would not compile.
        bool taken = false;
        for (const std::string& item : list) taken = taken || sameName(c, std::string_view(item).substr(1));
        if (taken) {
            say("('|---- Name already used, re-enter in columns 1-6')");
            continue;
        }
        std::string name = c.substr(0, 6);
        if (std::string_view("IJKLMNijklmn").find(c[0]) != std::string_view::npos) {
            say("(' Note: ',A6,' must be an integer.')", name);
            com(2, " Note: " + name + " must be an integer.");
        }
        invar(name, 1);
        list.push_back("," + name);
        if (list.size() == 176) {
            say("(' Limit on number of global parameters reached')");
            return list;
        }
    }
}

void Dialog::spacer() {
    say("(/)");
    com(2, " ");
}

}  // namespace zemka
