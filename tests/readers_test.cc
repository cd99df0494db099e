// The answer readers, the source writer and the input routines, one Session at a time.
#include <gtest/gtest.h>

#include <climits>

#include "dialog_harness.h"

namespace zemka::test {
namespace {

const std::string box = "C" + std::string(78, '#');

// The expression line: columns 6-7 "& ", the answer in columns 8-72.
std::string expr(const std::string& s) { return pad("     & " + s, 72); }

// The range text of iread as the prompts show it.
std::string asked(const std::string& range) { return "|---- Enter an integer value " + pad(range, 37); }
std::string refused(const std::string& range) {
    return "|---- Illegal input.  Re-enter integer " + pad(range, 37);
}

long countSaid(const DialogRun& run, const std::string& line) {
    Lines said = run.said();
    return std::count(said.begin(), said.end(), line);
}

TEST(Readers, ReadinIntegerRules) {
    struct Case {
        std::string line;
        bool ok;
        int value;
    };
    const std::vector<Case> cases = {
        {"  42", true, 42}, {"+42", true, 42}, {"-7", true, -7}, {"- 7", true, -7},
        {"4 2", true, 402}, {"+", true, 0}, {"00000000000042", true, 42},
        {"2147483647", true, INT_MAX}, {"-2147483647", true, -INT_MAX},
        {"4-2", false, 0}, {"4.0", false, 0}, {"x", false, 0}, {"", false, 0}, {"   ", false, 0},
        {"4\t2", false, 0}, {"+-1", false, 0}, {"7 -", false, 0}, {"2147483648", false, 0},
        {"99999999999", false, 0}, {"1         2", false, 0},
    };
    Lines keys;
    for (const Case& c : cases) keys.push_back(c.line);
    DialogRun run(keys);
    for (const Case& c : cases) {
        int value = 99;
        EXPECT_EQ(run.dialog.readin(value), c.ok) << '"' << c.line << '"';
        EXPECT_EQ(value, c.ok ? c.value : 99) << '"' << c.line << '"';
    }
}

TEST(Readers, IreadRangesBoundsAndAssignment) {
    DialogRun run({"16", "-1", "15", "2000000000", "6", "-40000", "-10000", "9999", "x", "-5",
                   "4", "-1234567890", "-999999999"});
    EXPECT_EQ(run.dialog.iread("", 0, 15), 15);
    EXPECT_EQ(run.dialog.iread("", 1, 99999), 2000000000);
    EXPECT_EQ(run.dialog.iread("", -99999, 5), -40000);
    EXPECT_EQ(run.dialog.iread("", -9999, 9999), 9999);
    EXPECT_EQ(run.dialog.iread("", -99999, 99999), -5);
    EXPECT_EQ(run.dialog.iread("ISOLVE", 1, 6), 4);
    // A value that the ten columns of the assignment cannot hold would not compile.
    EXPECT_EQ(run.dialog.iread("IMAX", -99999, 99999), -999999999);

    EXPECT_EQ(countSaid(run, asked("in the range 0 to 15")), 1);
    EXPECT_EQ(countSaid(run, refused("in the range 0 to 15")), 2);
    EXPECT_TRUE(run.saidLine(asked("in the range 1 to +INFINITY")));
    EXPECT_TRUE(run.saidLine(refused("in the range -INFINITY to 5")));
    EXPECT_TRUE(run.saidLine(refused("in the range -9999 to 9999")));
    EXPECT_TRUE(run.saidLine(refused("")));
    EXPECT_TRUE(run.saidLine("  ISOLVE ="));
    EXPECT_EQ(run.program(), (Lines{"      ISOLVE =          4", "      IMAX = -999999999"}));
}

TEST(Readers, IfyesLooksAtColumnOneOnly) {
    DialogRun run({" y", "", "maybe", "N", "nope", "Yes"});
    EXPECT_EQ(run.dialog.ifyes(), 0);
    EXPECT_EQ(run.dialog.ifyes(), 0);
    EXPECT_EQ(run.dialog.ifyes(), 1);
    EXPECT_EQ(countSaid(run, "|---- Enter yes or no"), 3);
    EXPECT_EQ(countSaid(run, "|---- What?  yes or no, starting in first column please."), 3);
}

TEST(Readers, InstrTitles) {
    std::string apostrophes(40, '\'');
    DialogRun run({"", "Heat flow", "", "it's", apostrophes});
    run.dialog.instr("TITLE", 1);
    run.dialog.instr("TITLE", 0);
    run.dialog.instr("TITLE", 0);
    run.dialog.instr("NAME", 1);
    EXPECT_TRUE(run.saidLine("|----Illegal blank line. Re-enter------|"));
    EXPECT_TRUE(run.saidLine("  TITLE =             (Press [RETURN] to default)"));
    EXPECT_TRUE(run.saidLine("|----Enter title or name---------------|"));
    // A title with apostrophes is written with each one doubled, so the string still
    // closes where it should; a long one is continued.
    std::string statement = "NAME = '" + std::string(80, '\'') + "'";
    EXPECT_EQ(run.program(), (Lines{"      TITLE = '" + pad("Heat flow", 40) + "'",
                                    "      TITLE = '" + pad("it''s", 41) + "'",
                                    "      " + statement.substr(0, 66), "     &" + statement.substr(66)}));
}

TEST(Readers, ReadlnSwitchesBetweenKeyboardAndAnswerFile) {
    DialogRun run({"#", "key1", "#", "ignored", "key2", "#@", "key3"});
    run.answerFile("file1\r\n#\nfile2\n");
    int blank;
    EXPECT_EQ(run.dialog.readln(6, blank), "file1 ");
    EXPECT_EQ(run.dialog.readln(6, blank), "key1  ");  // the file's "#" line hands over
    EXPECT_EQ(run.dialog.readln(6, blank), "file2 ");
    run.dialog.paws();  // always waits for the keyboard, and is not an answer
    EXPECT_EQ(run.dialog.readln(6, blank), "key2  ");  // the file is exhausted
    EXPECT_EQ(run.session.igui, 0);
    EXPECT_EQ(run.dialog.readln(6, blank), "key3  ");
    EXPECT_EQ(run.session.igui, 1);
    EXPECT_EQ(blank, 0);
    EXPECT_TRUE(run.saidLine("file1 "));
    EXPECT_TRUE(run.saidLine("file2 "));
    EXPECT_FALSE(run.saidLine("key1  "));
    EXPECT_TRUE(run.saidLine(std::string(44, ' ') + "only the RETURN key is read  [RETURN]"));
    EXPECT_EQ(run.echo(), (Lines{"file1 ", "key1  ", "file2 ", "key2  ", "key3  "}));
}

TEST(Readers, MissingAnswerFileIsTriedOnce) {
    DialogRun run({"#@", "a", "#", "b"});
    int blank;
    EXPECT_EQ(run.dialog.readln(3, blank), "a  ");
    run.answerFile("from file\n");
    EXPECT_EQ(run.dialog.readln(3, blank), "b  ");
    run.dialog.gui();  // "#@" turned the marker on although there was no file
    EXPECT_EQ(run.program(), Lines{"C" + std::string(40, '-') + "-> INPUT FROM GUI <-" + std::string(18, '-')});
}

TEST(Readers, EchoKeepsEveryByteOfTheAnswer) {
    std::string odd = std::string("a\0b", 3) + "\r\x7f";
    DialogRun run({odd + "\r"});
    int blank;
    EXPECT_EQ(run.dialog.readln(8, blank), pad(odd, 8));
    EXPECT_EQ(run.echo(), Lines{pad(odd, 8)});
}

// An answer never loses what lies beyond its question's width: it is refused (and not
// echoed, so that echo.out still replays), except at a yes or no, where column 1 decides.
// Expressions and Fortran block lines that could never be part of a statement are refused.
TEST(Readers, OverlongAndBrokenAnswersAreAskedAgain) {
    std::string wide = std::string(65, 'x');
    DialogRun run({wide + "+1", wide + "   ", "yes, please", std::string(41, 't'), "title",
                   "abcde", "u   x", "ab", "(a+b", "a+b)", "x ! late", "x; y = 1", "'it''s", "f('a;(b')*(2)",
                   "abc   x = 1", "      " + std::string(67, 'z'), "	x = 1", "C  ok", "10    continue", ""});
    int blank;
    EXPECT_EQ(run.dialog.readex(1, blank), wide);
    EXPECT_EQ(run.dialog.ifyes(), 1);
    run.dialog.instr("NAME", 1);
    run.dialog.varnam({"u", "a", ""}, 1);
    EXPECT_EQ(run.dialog.readex(1, blank), pad("f('a;(b')*(2)", 65));
    run.dialog.iadd(0, "F");
    for (const char* line : {"|---- At most 65 characters here; re-enter", "|---- At most 40 characters here; re-enter",
                             "|---- Unclosed quote; re-enter"})
        EXPECT_EQ(countSaid(run, line), 1) << line;
    EXPECT_EQ(countSaid(run, "|---- Illegal variable name, re-enter in columns 1-3"), 2);
    EXPECT_EQ(countSaid(run, "|---- Unbalanced parentheses; re-enter"), 2);
    EXPECT_EQ(countSaid(run, "|---- ! and ; would cut the Fortran statement; re-enter"), 2);
    EXPECT_EQ(countSaid(run, "|---- At most 72 characters here; re-enter"), 1);
    EXPECT_EQ(countSaid(run, "|---- Columns 1-5 hold a label, or a comment mark in column 1; re-enter"), 1);
    EXPECT_EQ(run.session.unknwn.name[1], "ab ");
    EXPECT_EQ(run.echo(), (Lines{wide, "yes", pad("title", 40), "ab  ", pad("(a+b", 65), pad("a+b)", 65),
                                 pad("x ! late", 65), pad("x; y = 1", 65), pad("'it''s", 65),
                                 pad("f('a;(b')*(2)", 65), pad("abc   x = 1", 72), pad("\tx = 1", 72),
                                 pad("C  ok", 72), pad("10    continue", 72), pad("", 72)}));
}

TEST(Readers, EndOfKeyboardInput) {
    DialogRun run({});
    run.dialog.paws();  // a replayed run must not stop at a pause
    int blank;
    EXPECT_THROW(run.dialog.readln(3, blank), FatalError);
    EXPECT_THROW(run.dialog.ifyes(), FatalError);
}

TEST(Writer, CommentsStatementsAndPrecision) {
    const std::string ifLine = " if (lun.eq.0) then", label = "78753 continue";
    for (int active : {0, 1}) {
        DialogRun run({});
        run.session.parms.comForm = active;
        run.session.exmp.doublePrecision = active;
        run.dialog.com(1, "");
        run.dialog.com(2, " ");
        run.dialog.com(3, ifLine);
        run.dialog.com(4, label);
        run.dialog.com(2, std::string(72, 'x') + "lost");
        run.dialog.text(" ");
        run.dialog.prec();
        run.dialog.gui();  // no marker without "#@"
        std::string c = active ? "" : "C!";
        Lines expected{box, "C" + std::string(77, ' ') + "#", box, pad("C", 78),
                       c + "     " + pad(ifLine, 72), c + pad(label, 72),
                       "C     " + std::string(72, 'x'), "       "};
        if (active) {
            expected.push_back("      implicit double precision (a-h,o-z)");
        } else {
            // single precision also types the library's k... functions as real
            expected.push_back("      implicit real (a-h,o-z)");
            expected.push_back("      real kvrxx,kvrlx,kvrgr2,kvr1e,kvrt,kvrex");
        }
        EXPECT_EQ(run.program(), expected) << "parms(4) = " << active;
    }
    EXPECT_EQ(Probe::delblk("a b$ c$$"), pad("ab c", 8));
}

TEST(Names, ExpressionsParametersVectorsMatrices) {
    DialogRun run({"", "1.d-4", "", "x+1", "10", "", "0.5", "", "a11", "a21", "a12", "a22"});
    run.dialog.invar("TOLER(1)", 0);
    run.dialog.invar("TOLER(1)", 0);
    run.dialog.invar("A", 1);
    EXPECT_EQ(run.dialog.inparm("NSAVE", 1, 10000), 10);
    run.dialog.invec("UPRINT", 1, 3, 0);
    run.dialog.inmat("A", 1, 2, 1, 2, 1);
    EXPECT_TRUE(run.saidLine("|----Illegal blank line. Enter constant or FORTRAN expression---|"));
    EXPECT_TRUE(run.saidLine("  " + pad("UPRINT(3) =", 21) + "   (Press [RETURN] to default)"));
    std::string spacer = pad("C", 78);
    EXPECT_EQ(run.program(),
              (Lines{"      TOLER(1) =", expr("1.d-4"), "      A =", expr("x+1"),
                     pad("      PARAMETER (NSAVE = 10)", 38), "      " + pad("UPRINT(2) =", 21), expr("0.5"),
                     spacer, "      " + pad("A(1,1) =", 32), expr("a11"), "      " + pad("A(2,1) =", 32),
                     expr("a21"), spacer, "      " + pad("A(1,2) =", 32), expr("a12"),
                     "      " + pad("A(2,2) =", 32), expr("a22")}));
}

TEST(Names, GuardedDefinitions) {
    DialogRun run({"", "u*2", "", "", "3.0"});
    run.dialog.vecfun("F", 1, 1, 7, "f(1)", 3, "isel");   // mode 3 never asks
    run.dialog.vecfun("F", 12, 20, 3, "f(12)", 0, "ieq");  // compulsory: "" is refused
    run.dialog.vecfun("G", 1, 1, 4, "g", 2, "ieq");
    run.dialog.matfun("A", 2, 3, "U", 1, 2, "a(2,1)", 0);
    run.dialog.matfun("B", 1, 1, "V", 3, 4, "b", 1);
    run.dialog.matfun("B", 1, 1, "V", 3, 4, "b", 0);
    EXPECT_TRUE(run.saidLine(" F12 ="));
    EXPECT_TRUE(run.saidLine(" G =         (Press [RETURN] to default to 0)"));
    EXPECT_TRUE(run.saidLine(" A2.U =   (Press [RETURN] to default, if A2 is a linear function of U)"));
    EXPECT_EQ(countSaid(run, " B.V =   (Press [RETURN] to default, if B is a linear function of V)"), 1);
    const std::string marker = "C" + std::string(50, ' '), off = "C    & [DEFAULT SELECTED, DEFINITION COMMENTED OUT]";
    EXPECT_EQ(run.program(),
              (Lines{marker + "F DEFINED", "C     if (isel.eq.    7) f(1) =", off,
                     marker + "F12 DEFINED", "      if (ieq.eq.    3) f(12) =", expr("u*2"),
                     marker + "G DEFINED", "C     if (ieq.eq.    4) g =", off,
                     marker + "A2.U DEFINED", "C     if (i8z.eq.    1.and.j8z.eq.    2) a(2,1) =", off,
                     marker + "B.V DEFINED", "C     if (i8z.eq.    3.and.j8z.eq.    4) b =", off,
                     marker + "B.V DEFINED", "      if (i8z.eq.    3.and.j8z.eq.    4) b =", expr("3.0")}));
}

TEST(Names, VarnamRefusals) {
    // "x" may begin a longer name only; "xy" is forbidden.
    NameTables tables{"uvU", "uvxTU", "xy TT "};
    DialogRun run({"abcd", " u", "x", "xy", "u$", "u(1", "TT", "u b", "U", "vv", "T12"});
    run.dialog.varnam(tables.leading(3, 5, 2), 3);
    EXPECT_EQ(countSaid(run, "|---- Illegal variable name, re-enter in columns 1-3"), 7);
    EXPECT_EQ(countSaid(run, "|---- U would clash with the unknown u, re-enter in columns 1-3"), 1);
    EXPECT_EQ(countSaid(run, " U1 ="), 8);
    const Unknowns& u = run.session.unknwn;
    EXPECT_EQ((Lines{u.name[1], u.name[2], u.name[3]}), (Lines{"u  ", "vv ", "T12"}));
    EXPECT_EQ((std::vector<int>{u.length[1], u.length[2], u.length[3]}), (std::vector<int>{1, 2, 3}));
}

TEST(Names, VarnamRefusesNamesThatClashWithDerivedOrTakenNames) {
    // Each unknown U also names Ux and Uy. Once "ux" is an unknown, "u" (whose Ux it would
    // be) and "UX" are refused; the global parameter "vy" rules out "v"; RHO is taken; "ma"
    // would hide the function max in its derivative. Each refusal names what it clashes with.
    NameTables tables{"uvw", "uvwrRmsU", ""};
    DialogRun run({"vy", "1", "", "ux", "u", "UX", "v", "RHO", "sin", "ma", "uy", "w"});
    GlobalList globals = run.dialog.globp({"", "v", ""});
    UnknownNaming naming{{"x", "y"}, {"rho"}, {globals[0].substr(1)}};
    run.dialog.varnam(tables, 3, naming);
    for (std::string line :
         {"u would clash with the unknown ux", "UX would clash with the unknown ux",
          "v would clash with the global parameter vy", "RHO would clash with the program's own rho",
          "sin would clash with the Fortran function sin", "ma would clash with the Fortran function max"})
        EXPECT_EQ(countSaid(run, "|---- " + line + ", re-enter in columns 1-3"), 1) << line;
    const Unknowns& u = run.session.unknwn;
    EXPECT_EQ((Lines{u.name[1], u.name[2], u.name[3]}), (Lines{"ux ", "uy ", "w  "}));
}

TEST(Names, GlobalParameters) {
    NameTables tables{"xyzXYZ", "pPQnNx", "pi PI "};
    DialogRun run({" P1", "P123456", "a", "PI", "P$", "P(1)", "nx", "", "5", "NX", "x", "2.5", ""});
    GlobalList list = run.dialog.globp(tables);
    EXPECT_EQ(list, (GlobalList{",nx    ", ",x     "}));
    EXPECT_EQ(countSaid(run, "|---- Illegal parameter name, re-enter in columns 1-6"), 6);
    EXPECT_EQ(countSaid(run, "|---- Name already used, re-enter in columns 1-6"), 1);
    EXPECT_EQ(countSaid(run, " Parameter name = (type blank line to terminate)"), 10);
    EXPECT_TRUE(run.saidLine(" Note: nx     must be an integer."));
    EXPECT_FALSE(run.saidLine(" Note: x      must be an integer."));
    // Everything went to the body stream, which stays current.
    EXPECT_EQ(run.session.lunits.current, run.session.lunits.body);
    run.dialog.parameterCommon(list);
    auto w = [](const std::string& s) { return pad(s, 79); };
    EXPECT_EQ(run.program(), (Lines{w("C      Note: nx     must be an integer."), w("      nx     ="), w(expr("5")),
                                    w("      x      ="), w(expr("2.5")), w("      common/parm8z/ pi,nx    ,x     ")}));
}

TEST(Names, GlobalParametersKeepClearOfTheProgramsOwnNames) {
    // Refused: a reserved name in any case, a1 .. a99 for the entry a#, names ending in 8z
    // and the library's names in both precisions. a0, a01 and a100, which the program never
    // writes, are safe.
    NameTables tables{"", "adkpT", "", {"title a#", "plot"}};
    DialogRun run({"TITLE", "a7", "a99", "pu8Z", "dkvrzp", "kvrzp", "plot", "a0", "1", "a01", "2", "a100", "3", ""});
    GlobalList list = run.dialog.globp(tables);
    EXPECT_EQ(list, (GlobalList{",a0    ", ",a01   ", ",a100  "}));
    EXPECT_EQ(countSaid(run, "|---- Name used by the program itself, re-enter in columns 1-6"), 7);
}

TEST(Names, IntrinsicFunctionsAreNoGlobalParameters) {
    DialogRun run({"exp", "SQRT", "alog10", "expo", "1", ""});
    GlobalList list = run.dialog.globp({"", "aeEsS", ""});
    EXPECT_EQ(list, (GlobalList{",expo  "}));
    EXPECT_TRUE(run.saidLine("|---- SQRT is a Fortran function, re-enter in columns 1-6"));
    EXPECT_EQ(run.said().size(), 5u + 3 + 2);  // five prompts, three refusals, the value's two lines
}

TEST(Names, GlobalParameterLimit) {
    Lines keys;
    for (int k = 1; k <= 177; ++k) keys.insert(keys.end(), {"P" + std::to_string(k), "1"});
    DialogRun run(keys);
    GlobalList list = run.dialog.globp(NameTables{"", "P", ""});
    ASSERT_EQ(list.size(), 176u);
    EXPECT_EQ(list.back(), ",P176  ");
    EXPECT_TRUE(run.saidLine(" Limit on number of global parameters reached"));
    int blank;
    EXPECT_EQ(run.dialog.readln(4, blank), "P177");  // the 176th value was read, nothing more
}

TEST(Names, FortranBlocks) {
    DialogRun run({"n", "y", "      a = 1", "", "c  note", "", "left"});
    run.session.exmp.blockLevel = 2;
    run.dialog.iadd(3, "F");  // above the block level: not even asked
    run.dialog.iadd(2, "F");
    run.dialog.iadd(1, "F");
    run.dialog.iadd(0, "G");
    EXPECT_EQ(countSaid(run, "   used in the definition of F?"), 2);
    EXPECT_FALSE(run.saidLine("   used in the definition of G?"));
    int blank;
    EXPECT_EQ(run.dialog.readln(4, blank), "left");
    EXPECT_EQ(run.program(), (Lines{pad("      a = 1", 72), pad("c  note", 72)}));
}

// Message 3 has 30 lines; message 4 has none; message 6, the last, has an empty extent.
std::string messageFile() {
    std::string f = "   1 first $$1 $$2 $$3 end$\n   1Aexample $$1 $\n   1B other example\n   2B other only\n";
    for (int k = 1; k <= 30; ++k) f += "   3 line " + std::to_string(k) + "\n";
    return f + "   5 five\n   6 six\n9999\n";
}

TEST(Messages, ExamplesPlaceholdersAndPauses) {
    DialogRun run({"p1", "left"}, messageFile());
    Unknowns& u = run.session.unknwn;
    u.name[1] = "u  ", u.length[1] = 1;
    u.name[2] = "vv ", u.length[2] = 2;
    u.name[3] = "T12", u.length[3] = 3;
    run.session.exmp.example = 1;
    run.dialog.mess(0, 1);
    run.dialog.mess(0, 2);  // only lines of another example: an empty box
    run.dialog.mess(0, 4);
    run.dialog.mess(0, 6);
    run.dialog.mess(1, 3);  // pauses after line 22 only
    run.dialog.mess(2, 3);  // never pauses
    run.session.exmp.example = 0;
    run.dialog.mess(1, 1);

    Lines said = run.said();
    std::string pause = std::string(44, ' ') + "only the RETURN key is read  [RETURN]";
    // "p1", typed at the pause, is no answer and is said to be ignored.
    ASSERT_EQ(said.size(), 2u + 30 + 1 + 1 + 1);
    EXPECT_EQ(said[2 + 23], "|---- Text typed at a pause is no answer; it was not taken");
    EXPECT_EQ(said[0], "   " + pad("first u vv T12 end", 72));
    EXPECT_EQ(said[1], "   " + pad("example $$1 $", 72));
    EXPECT_EQ(said[2 + 21], "   " + pad("line 22", 72));
    EXPECT_EQ(said[2 + 22], pause);
    EXPECT_EQ(said[2 + 32], said[0]);
    int blank;
    EXPECT_EQ(run.dialog.readln(4, blank), "left");

    Lines program = run.program();
    ASSERT_EQ(program.size(), 4u + 2 + 32);
    EXPECT_EQ(program[0], box);
    EXPECT_EQ(program[1], "C     " + pad("first u vv T12 end", 72) + "#");
    EXPECT_EQ(program[2], "C     " + pad("example $$1 $", 72) + "#");
    EXPECT_EQ(program[3], box);
    EXPECT_EQ(program[4], box);
    EXPECT_EQ(program[5], box);
    EXPECT_EQ(program[6 + 30], "C     " + pad("line 30", 72) + "#");
}

}  // namespace
}  // namespace zemka::test
