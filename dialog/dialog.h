// The dialog routines every generator and the driver use: the message display, the answer
// readers, the source writer and the input of names, expressions and parameters.
//
// A generator derives from Dialog so that one step of its dialog reads as the calls a user
// meets, in order: mess(0, 8); text("NPROB = 1"); invar("NPROB", 0);
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "format.h"
#include "session.h"

namespace zemka {

// Fortran names are compared without regard to case.
inline std::string lowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The tables that decide which names a generator accepts for unknowns and global
// parameters: letters that may stand alone, letters that may begin a longer name, and
// forbidden names of exactly three characters (two letters padded with a blank). Only the
// leading count entries of each apply.
//
// A global parameter is a member of every parameter common line, so it must not take a name
// that the generated program gives a variable, routine or intrinsic function of its own in
// those program units. The reserved lists hold such names, separated by blanks; an entry
// ending in '#' stands for its letters followed by a number from 1 to 99. Beyond the lists,
// globp refuses every name ending in 8z (the program's internal suffix) and every name
// beginning with dkvr or kvr (the library's, in double and single precision).
struct NameTables {
    std::string_view let1;
    std::string_view let2;
    std::string_view forb;  // 3 characters an entry
    std::vector<std::string_view> reserved = {};

    // Tables for unknowns, which the reserved lists do not concern.
    NameTables leading(std::size_t count1, std::size_t count2, std::size_t nforb) const {
        return {let1.substr(0, count1), let2.substr(0, count2), forb.substr(0, 3 * nforb)};
    }
};

// The global parameters collected by globp: items of 7 characters, a comma and the name.
using GlobalList = std::vector<std::string>;

// The names a generated routine makes of each unknown U, beside U itself: U followed by each
// suffix (the derivatives Ux, Uy, ...), and the names that the program already holds: its
// own (RHO in an eigenvalue problem, variables of the routines) and the global parameters.
// No two unknowns may share any of them.
struct UnknownNaming {
    std::vector<std::string> suffixes;
    std::vector<std::string> taken;
    std::vector<std::string> globals = {};
};

class Dialog {
public:
    explicit Dialog(Session& s) : session(s) {}

protected:
    Session& session;

    // Streams and raw output.
    void use(Stream s) { session.use(s); }
    template <class... T> void write(std::string_view format, T&&... items) {
        writeItems(format, Items{FItem(std::forward<T>(items))...});
    }
    template <class... T> void say(std::string_view format, T&&... items) {
        sayItems(format, Items{FItem(std::forward<T>(items))...});
    }
    void writeItems(std::string_view format, const Items& items);
    void sayItems(std::string_view format, const Items& items);

    // Messages.
    void mess(int mode, int n);

    // Answer readers.
    std::string readln(int n, int& blank);
    int ifyes();
    int iread(std::string_view name, int lo, int hi);
    bool readin(int& value);
    void instr(std::string_view name, int req);
    void paws();
    int state();
    void gui();
    void prec();

    // Source writer.
    void com(int mode, std::string_view s);
    void text(std::string_view s);
    static std::string delblk(std::string s);

    // Names, expressions and parameters.
    std::string readex(int req, int& blank);
    void invar(std::string_view name, int req);
    int inparm(std::string_view name, int lo, int hi);
    void iadd(int level, std::string_view what);
    void varnam(const NameTables& tables, int nvar, const UnknownNaming& naming = {});
    void invec(std::string_view name, int first, int last, int req);
    void inmat(std::string_view name, int i1, int i2, int j1, int j2, int req);
    void vecfun(std::string_view vname, int i, int n, int code, std::string_view lhs, int mode,
                std::string_view sel);
    void matfun(std::string_view vname, int i, int n, std::string_view uname, int code1, int code2,
                std::string_view lhs, int skip);
    GlobalList globp(const NameTables& tables);
    void spacer();

    // The one of an explicit pair of texts that fits the chosen precision. Every other line
    // is written in its double precision spelling: the writers turn each "dkvr" of a line
    // the program authors into " kvr" (the same width) for a single precision program.
    std::string_view byPrecision(std::string_view doubleText, std::string_view singleText) const {
        return session.exmp.doublePrecision ? doubleText : singleText;
    }
    // The parameter common line: "common/parm8z/ pi" and the global parameters.
    void parameterCommon(const GlobalList& globals);

    // Shown names of unknowns, as varnam stored them.
    std::string unknownName(int k) const {
        return session.unknwn.name[k].substr(0, session.unknwn.length[k]);
    }

private:
    // A statement made of text typed by the user, which no precision conversion touches.
    void userStatement(std::string_view s);
    // The line in the program's precision: "dkvr" becomes " kvr" in single precision.
    std::string inPrecision(std::string_view doubleText) const;
    // What becomes of an answer longer than its question reads.
    enum class Tail { refused, cut };
    // The next answer line, cut or blank-filled to n characters, and echoed. A longer one is
    // refused (returns false, not echoed) unless tail says it may be cut.
    bool answer(int n, std::string& line, Tail tail);
    // Why an expression answer can never be part of a Fortran statement; empty when it can.
    static std::string_view expressionFault(std::string_view line);
    // Why a line of a Fortran block cannot be a fixed-form line; empty when it can.
    static std::string_view blockLineFault(std::string_view line);
    // The names that the unknowns named so far make, in lower case: each name and each name
    // followed by a suffix, with the unknown (and the number of its form, 0 for the name alone)
    // that made it first.
    struct EarlierForm {
        int unknown;
        std::size_t form;
    };
    using EarlierForms = std::unordered_map<std::string, EarlierForm>;
    // What a name for an unknown would clash with ("the global parameter ux"); empty if nothing.
    std::string clash(std::string_view c, const UnknownNaming& naming, const EarlierForms& earlier) const;

    bool legalName(std::string_view c, std::size_t width, const NameTables& t) const;
    std::string rangeText(int lo, int hi) const;
};

}  // namespace zemka
