// zemka-bench: runs the built zemka on large dialogs and reports, for each dialog and size
// NEQN, the wall time, the peak resident memory of the zemka process and the size of the
// main.f it wrote, beside a baseline measured in the same run: reading the answers and copying
// main.f with the shell and cat (cat zemka.in > /dev/null && cat main.f > copy.f), with the
// ratio of the two, the time per answer and per MB of main.f. The dialogs are nonlinear
// steady-state problems with every Jacobian entry answered: a 0D system of NEQN equations; 1D
// Galerkin and 1D collocation problems whose F (and A) are differentiated by U, Ux (and Uxx)
// of every unknown, with conditions and their derivatives at the ends; a 2D Galerkin problem
// in NEQN unknowns whose F, A and B are differentiated by U, Ux and Uy of every unknown, with
// boundary conditions (and their derivatives) on one arc; a 2D collocation problem in NEQN
// unknowns whose F is differentiated by U, Ux, Uy, Uxx, Uyy and Uxy of every unknown, with a
// condition G (and its derivatives by U, Ux and Uy) on each of the four faces; and a 3D
// problem whose F is differentiated by the value and the first and second derivatives of every
// unknown, with conditions (and their derivatives) on all six faces.
//
// usage: zemka-bench [runs]        (runs per size, default 5; the median time is reported)
//        zemka-bench runs NEQN     (the 3D dialog of that size alone)
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Message n is the line "MSG n": the benchmark measures the generator, not the texts.
void writeCatalogue(const fs::path& file) {
    std::ofstream out(file);
    for (int n = 1; n <= 1000; ++n) {
        char line[32];
        std::snprintf(line, sizeof line, "%4d MSG %d\n", n, n);
        out << line;
    }
    out << "9999\n";
}

using Name = std::string (*)(int k);

std::string unknown(int k) { return "u" + std::to_string(k); }

using Answers = std::vector<std::string>;

std::string real(int i) { return std::to_string(i) + ".0"; }

// F(i) = u(i)**2 - i*u(i+1) + 1, cyclic in i: the derivative of F(i) by u(k), or "0.0".
std::string sourceDerivative(int neqn, int i, int k, Name name = unknown) {
    int next = i % neqn + 1;
    std::string d = "0.0";
    if (k == i) d = "2.0*" + name(i);
    if (k == next) d = (k == i ? d + " - " : "-") + real(i);
    return d;
}

std::string source(int neqn, int i, Name name = unknown) {
    return name(i) + "**2 - " + real(i) + "*" + name(i % neqn + 1) + " + 1.0";
}

// The answers, in the order the 0D dialog asks for them.
Answers answers0d(int neqn) {
    Answers a{
        "n", "0", "y",          // no example, 0D, double precision
        "", "", "n",            // NPROB kept, no global parameters, no optional blocks
        "1", "n", "",           // steady state, nonlinear, NSTEPS kept
        std::to_string(neqn)};
    for (int k = 1; k <= neqn; ++k) a.push_back(unknown(k));
    a.insert(a.end(), {"n", "0", "n"});  // exact Jacobian, no integrals, no block
    for (int i = 1; i <= neqn; ++i) a.push_back(source(neqn, i));
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k) a.push_back(sourceDerivative(neqn, i, k));
    a.insert(a.end(), static_cast<std::size_t>(neqn), "1.0");  // initial values
    a.push_back("n");                                       // no restart
    a.insert(a.end(), static_cast<std::size_t>(neqn), "");  // UPRINT kept
    a.insert(a.end(), {"0", "n"});                          // no output requests, no user block
    return a;
}

// The name of unknown k of the 1D and 3D dialogs: three letters, so that no name followed by one of
// the suffixes of its derivatives (1, 11, x, xx, norm, ...) is the name of another unknown.
std::string letteredUnknown(int k) {
    constexpr char letters[] = "abcdefghijk";
    return {'w', letters[(k - 1) / 11], letters[(k - 1) % 11]};
}

// The answers, in the order the 1D Galerkin dialog asks for them: on [0, 1] with three grid
// lines, F(i) the 0D system's equation, A(i) = (1 + w(i)**2)*w(i)x, every derivative of F and A
// by U and Ux of every unknown answered; the right end fixed at 0, on the left the condition
// GB(i) = 1 - w(i)**3 with its derivatives.
Answers answers1dg(int neqn) {
    Name w = letteredUnknown;
    Answers a{"n", "1", "1", "y",            // no example, 1D, Galerkin, double precision
              "", "", "n",                   // NPROB kept, no global parameters, no optional blocks
              "3", "0.0", "", "1.0", "2",    // grid lines, IDEG
              "1", "n", "", std::to_string(neqn)};  // steady state, nonlinear, NSTEPS kept
    for (int k = 1; k <= neqn; ++k) a.push_back(w(k));
    a.insert(a.end(), {"n", "n", "0", "0", "n", "n"});  // SYMM, FDIFF, integrals, delta functions, block
    auto coefficient = [w](int i) { return "(1.0 + " + w(i) + "**2)"; };
    for (int i = 1; i <= neqn; ++i) a.insert(a.end(), {source(neqn, i, w), coefficient(i) + "*" + w(i) + "x"});
    // F(i) by U and Ux of unknown k, then A(i) by them.
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k)
            a.insert(a.end(), {sourceDerivative(neqn, i, k, w), "0.0",
                               k == i ? "2.0*" + w(i) + "*" + w(i) + "x" : "0.0", k == i ? coefficient(i) : "0.0"});
    a.insert(a.end(), static_cast<std::size_t>(neqn), "1.0");  // initial values
    a.insert(a.end(), {"n", "n", "y"});                        // no restart, left end free, right end fixed
    a.insert(a.end(), static_cast<std::size_t>(neqn), "0.0");  // FB on the right
    a.push_back("");                                           // the pause before GB
    for (int i = 1; i <= neqn; ++i) a.push_back("1.0 - " + w(i) + "**3");
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k) a.insert(a.end(), {k == i ? "-3.0*" + w(i) + "**2" : "0.0", "0.0"});
    a.insert(a.end(), static_cast<std::size_t>(2 * neqn), "");  // U and A printed as computed
    a.insert(a.end(), {"10", "", "", "0", "n", "n"});  // output points, no output, no user routines
    return a;
}

// The answers, in the order the 1D collocation dialog asks for them: on [0, 1] with two grid
// points, F(i) = w(i)xx plus the 0D system's equation with every derivative by U, Ux and Uxx
// of every unknown answered; G = U at the left end, G = Ux + U**3 - 1 at the right one, each
// with its derivatives by U and Ux.
Answers answers1dc(int neqn) {
    Name w = letteredUnknown;
    Answers a{"n", "1", "2", "y",       // no example, 1D, collocation, double precision
              "", "", "n",              // NPROB kept, no global parameters, no optional blocks
              "2", "0.0", "1.0",        // grid points
              "1", "n", "", std::to_string(neqn)};  // steady state, nonlinear, NSTEPS kept
    for (int k = 1; k <= neqn; ++k) a.push_back(w(k));
    a.insert(a.end(), {"n", "0", "0", "n"});  // FDIFF, no integrals, no block
    for (int i = 1; i <= neqn; ++i) a.push_back(w(i) + "xx + " + source(neqn, i, w));
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k)
            a.insert(a.end(), {sourceDerivative(neqn, i, k, w), "0.0", k == i ? "1.0" : "0.0"});
    a.insert(a.end(), static_cast<std::size_t>(neqn), "1.0");  // initial values
    a.insert(a.end(), {"n", "0"});                             // no restart, not periodic
    for (int end = 1; end <= 2; ++end) {
        bool fixed = end == 1;
        for (int i = 1; i <= neqn; ++i) a.push_back(fixed ? w(i) : w(i) + "x + " + w(i) + "**3 - 1.0");
        for (int i = 1; i <= neqn; ++i)
            for (int k = 1; k <= neqn; ++k)
                a.insert(a.end(), {k == i ? (fixed ? "1.0" : "3.0*" + w(i) + "**2") : "0.0",
                                   k == i && !fixed ? "1.0" : "0.0"});
    }
    a.insert(a.end(), static_cast<std::size_t>(2 * neqn), "");  // U and Ux printed as computed
    a.insert(a.end(), {"10", "", "", "0", "n", "n"});  // output points, no output, no user routines
    return a;
}

// The answers, in the order the 2D Galerkin dialog asks for them: on the unit square, F(i)
// is the 0D system's equation, A(i) = (1 + u(i)**2)*u(i)x, B(i) = (1 + u(i)**2)*u(i)y;
// u(i) = 0 on arc -1, GB(i) = 1 - u(i)**3 on arc 2, nothing given on arcs 3 and 4.
Answers answers2d(int neqn) {
    Answers a{
        "n", "2", "1", "y",                  // no example, 2D, Galerkin, double precision
        "", "", "n",                         // NPROB kept, no global parameters, no optional blocks
        "1", "3", "0.0", "0.5", "1.0",       // X grid lines
        "3", "0.0", "0.5", "1.0",            // Y grid lines
        "-1", "2", "3", "4",                 // IXARC, IYARC
        "100", "", "n", "",                  // NTF, TRIDEN, no adaptive density, SHAPE
        "1", "2",                            // ISOLVE, IDEG
        "1", "n", "", std::to_string(neqn)};  // steady state, nonlinear, NSTEPS kept
    for (int k = 1; k <= neqn; ++k) a.push_back(unknown(k));
    a.insert(a.end(), {"n", "n", "0", "0", "n", "n"});  // SYMM, FDIFF, integrals, delta functions, block
    auto coefficient = [](int i) { return "(1.0 + " + unknown(i) + "**2)"; };
    for (int i = 1; i <= neqn; ++i)
        a.insert(a.end(), {source(neqn, i), coefficient(i) + "*" + unknown(i) + "x",
                           coefficient(i) + "*" + unknown(i) + "y"});
    // By U, Ux, Uy of unknown k: F(i) depends on U only, A(i) and B(i) on U of i and on
    // their own derivative of it.
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k)
            for (int f = 0; f < 3; ++f)
                for (int v = 0; v < 3; ++v) {
                    std::string d = "0.0";
                    if (f == 0 && v == 0) d = sourceDerivative(neqn, i, k);
                    if (f > 0 && k == i && v == 0) d = "2.0*" + unknown(i) + "*" + unknown(i) + "xy"[f - 1];
                    if (f > 0 && k == i && v == f) d = coefficient(i);
                    a.push_back(d);
                }
    a.insert(a.end(), static_cast<std::size_t>(neqn), "1.0");  // initial values
    a.insert(a.end(), {"n", "y", "-1"});                       // no restart, fixed values on arc -1
    a.insert(a.end(), static_cast<std::size_t>(neqn), "0.0");
    a.insert(a.end(), {"n", "y", "2"});  // no other negative arc, conditions on arc 2
    for (int i = 1; i <= neqn; ++i) a.push_back("1.0 - " + unknown(i) + "**3");
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k)
            for (int v = 0; v < 3; ++v) a.push_back(k == i && v == 0 ? "-3.0*" + unknown(i) + "**2" : "0.0");
    a.push_back("n");                                           // no other positive arc
    a.insert(a.end(), static_cast<std::size_t>(3 * neqn), "");  // U, A and B printed as computed
    a.insert(a.end(), {"10", "10", "", "", "", "", "0", "n", "n"});  // output grid, no output, no user routines
    return a;
}

// Collocation names U followed by "1", "11", ... after its derivatives in P1 and P2, so that u1
// and u11 would clash: the unknowns are va, vb, ..., vt.
std::string collocationUnknown(int k) { return "v" + std::string(1, static_cast<char>('a' + k - 1)); }

// The answers, in the order the 2D collocation dialog asks for them: on the unit square (ITRANS
// 0), F(i) = Uxx + Uyy plus the 0D system's equation, for U the i-th unknown; G = U on faces 1
// and 3, G = Unorm + U**3 - 1 on faces 2 and 4.
Answers answers2dc(int neqn) {
    Name v = collocationUnknown;
    Answers a{
        "n", "2", "2", "y",              // no example, 2D, collocation, double precision
        "", "", "n",                     // NPROB kept, no global parameters, no optional blocks
        "0",                             // ITRANS
        "3", "0.0", "0.5", "1.0",        // P1 grid lines
        "3", "0.0", "0.5", "1.0",        // P2 grid lines
        "1", "1", "n", "", std::to_string(neqn)};  // ISOLVE, steady state, nonlinear, NSTEPS kept
    for (int k = 1; k <= neqn; ++k) a.push_back(v(k));
    a.insert(a.end(), {"n", "0", "0", "n"});  // FDIFF, no integrals, no block
    for (int i = 1; i <= neqn; ++i) a.push_back(v(i) + "xx + " + v(i) + "yy + " + source(neqn, i, v));
    // By U, Ux, Uy, Uxx, Uyy and Uxy of unknown k.
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k)
            for (int d = 0; d < 6; ++d)
                a.push_back(d == 0 ? sourceDerivative(neqn, i, k, v) : k == i && (d == 3 || d == 4) ? "1.0" : "0.0");
    a.insert(a.end(), static_cast<std::size_t>(neqn), "1.0");  // initial guesses
    a.insert(a.end(), {"n", "0"});                             // no restart, not periodic
    for (int face = 1; face <= 4; ++face) {
        bool fixed = face % 2 == 1;
        for (int i = 1; i <= neqn; ++i) a.push_back(fixed ? v(i) : v(i) + "norm + " + v(i) + "**3 - 1.0");
        // By U, Ux and Uy of unknown k.
        for (int i = 1; i <= neqn; ++i)
            for (int k = 1; k <= neqn; ++k)
                for (const std::string& d : Answers{fixed ? "1.0" : "3.0*" + v(i) + "**2",
                                                    fixed ? "0.0" : "normx", fixed ? "0.0" : "normy"})
                    a.push_back(k == i ? d : "0.0");
    }
    a.insert(a.end(), static_cast<std::size_t>(3 * neqn), "");  // U, Ux and Uy printed as computed
    a.insert(a.end(), {"10", "10", "", "", "", "", "0", "n", "n"});  // output points, no output, no user routines
    return a;
}


// The answers, in the order the 3D dialog asks for them: on the unit box, F(i) = the Laplacian
// of w(i) - w(i)*w(i+1) + 1, cyclic in i, and every one of its 10 * NEQN derivatives (by W,
// Wx, ..., Wyz of each unknown) answered; on each of the six faces G(i) = w(i) - 1.0 with
// every one of its 4 * NEQN derivatives answered.
Answers answers3d(int neqn) {
    Answers a{
        "n", "3", "y",                     // no example, 3D, double precision
        "", "", "n",                       // NPROB kept, no global parameters, no optional blocks
        "0",                               // no transformation
        "2", "0.0", "1.0", "2", "0.0", "1.0", "2", "0.0", "1.0",  // P1, P2, P3 grids
        "1", "1", "n", "", std::to_string(neqn)};  // ISOLVE, steady state, nonlinear, NSTEPS kept
    for (int k = 1; k <= neqn; ++k) a.push_back(letteredUnknown(k));
    a.insert(a.end(), {"n", "0", "0", "n"});  // FDIFF, no integrals, no block
    auto next = [neqn](int i) { return i % neqn + 1; };
    for (int i = 1; i <= neqn; ++i) {
        std::string w = letteredUnknown(i);
        a.push_back(w + "xx + " + w + "yy + " + w + "zz - " + w + "*" + letteredUnknown(next(i)) + " + 1.0");
    }
    // By the value, x, y, z, xx, yy, zz, xy, xz, yz derivatives of unknown j.
    for (int i = 1; i <= neqn; ++i)
        for (int j = 1; j <= neqn; ++j)
            for (int d = 1; d <= 10; ++d) {
                std::string e = "0.0";
                if (d == 1 && j == next(i)) e = "-" + letteredUnknown(i);
                if (d == 1 && j == i) e = (j == next(i) ? "-2.0*" : "-") + letteredUnknown(next(i));
                if (d >= 5 && d <= 7 && j == i) e = "1.0";
                a.push_back(e);
            }
    a.insert(a.end(), static_cast<std::size_t>(neqn), "1.0");  // initial values
    a.insert(a.end(), {"n", "0"});                             // no restart, not periodic
    for (int face = 1; face <= 6; ++face) {
        for (int i = 1; i <= neqn; ++i) a.push_back(letteredUnknown(i) + " - 1.0");
        for (int i = 1; i <= neqn; ++i)
            for (int j = 1; j <= neqn; ++j)
                for (int d = 1; d <= 4; ++d) a.push_back(d == 1 && j == i ? "1.0" : "0.0");
    }
    a.insert(a.end(), static_cast<std::size_t>(4 * neqn), "");  // values printed as computed
    a.insert(a.end(), {"4", "4", "4", "", "", "", "", "", ""});  // output grid over the whole box
    a.insert(a.end(), {"0", "n", "n"});                         // no output, no user routines
    return a;
}

struct Run {
    double seconds;
    long maxRssKiB;
};

// Forks a child that enters dir and runs body there (body ends it with _exit), waits for it
// and times it; status is the child's wait status.
template <class Body> Run timeChild(const fs::path& dir, int& status, Body body) {
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid < 0) {
        std::perror("zemka-bench: fork");
        std::exit(1);
    }
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        body();
    }
    // wait4 gives this child's own usage, so runs of different sizes do not mix.
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("zemka-bench: wait4");
        std::exit(1);
    }
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), usage.ru_maxrss};
}

bool succeeded(int status) { return WIFEXITED(status) && WEXITSTATUS(status) == 0; }

// Starts a child in dir with zemka.in as its standard input, standard output to /dev/null and
// standard error in errors.txt, and waits for it; exits when it fails.
Run runChild(const fs::path& dir, const char* path, char* const argv[]) {
    int status = 0;
    Run run = timeChild(dir, status, [&] {
        int in = open("zemka.in", O_RDONLY);
        int out = open("/dev/null", O_WRONLY);
        int err = open("errors.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execv(path, argv);
        _exit(127);
    });
    if (!succeeded(status)) {
        std::ifstream err(dir / "errors.txt");
        std::string why((std::istreambuf_iterator<char>(err)), {});
        std::fprintf(stderr, "zemka-bench: %s failed in %s: %s\n", path, dir.c_str(), why.c_str());
        std::exit(1);
    }
    return run;
}

// One zemka run in dir with the answers, zemka.in, as its keyboard.
Run runZemka(const fs::path& dir) {
    char name[] = "zemka";
    char* argv[] = {name, nullptr};
    return runChild(dir, ZEMKA_BINARY, argv);
}

// What the run cannot do in less: read the answers and copy main.f, through the shell as a
// user would type it.
double runBaseline(const fs::path& dir) {
    char sh[] = "sh", c[] = "-c", command[] = "cat zemka.in > /dev/null && cat main.f > copy.f";
    char* argv[] = {sh, c, command, nullptr};
    return runChild(dir, "/bin/sh", argv).seconds;
}

// The sizes of the files a zemka run wrote, the terminal aside.
struct Written {
    std::uintmax_t program, echo, log, history;
};

// The history zemka keeps of these answers: a read of each line (a 24-byte head and the
// line) and a 48-byte record of each answer taken.
std::uintmax_t historyBytes(const Answers& answers) {
    std::uintmax_t bytes = 0;
    for (const auto& line : answers) bytes += 24 + line.size() + 48;
    return bytes;
}

// An unlinked scratch file where zemka makes its own.
int scratchFile() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir && *dir ? dir : "/tmp") + "/zemka-bench-files-XXXXXX";
    int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) unlink(pattern.c_str());
    return fd;
}

// What zemka's files cost by themselves: the same files written with the same calls and
// sizes, without the dialog, in a child started by fork alone. The program's lines go to a
// scratch stream, the history to another, echo.out and zemka.log beside main.f, each in
// 64 KiB writes taking turns as the dialog fills them; then the stream is copied into a
// temporary main.f by the kernel, its writeback started, the scratch files closed, and
// main.f synced and renamed over the one of the run before (files-main.f, so that zemka's
// own files stay as it left them).
double runFiles(const fs::path& dir, const Written& w) {
    int status = 0;
    Run run = timeChild(dir, status, [&] {
        int streams = scratchFile(), history = scratchFile();
        int echo = open("files-echo.out", O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        int log = open("files-zemka.log", O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
        char temporary[] = "files-main.f.XXXXXX";
        int program = mkostemp(temporary, O_CLOEXEC);
        if (streams < 0 || history < 0 || echo < 0 || log < 0 || program < 0) _exit(1);
        if (ftruncate(echo, 0) != 0 || ftruncate(log, 0) != 0) _exit(1);
        std::string block(1 << 16, ' ');
        for (std::size_t k = 78; k < block.size(); k += 80) block[k] = '\n';
        struct Out {
            int fd;
            std::uintmax_t left;
        } outs[] = {{streams, w.program}, {history, w.history}, {echo, w.echo}, {log, w.log}};
        for (bool more = true; more;) {
            more = false;
            for (Out& o : outs) {
                if (o.left == 0) continue;
                auto n = static_cast<std::size_t>(std::min<std::uintmax_t>(o.left, block.size()));
                if (write(o.fd, block.data(), n) != static_cast<ssize_t>(n)) _exit(1);
                o.left -= n;
                more = true;
            }
        }
        loff_t at = 0;
        while (static_cast<std::uintmax_t>(at) < w.program)
            if (copy_file_range(streams, &at, program, nullptr, w.program - static_cast<std::uintmax_t>(at), 0) <= 0)
                _exit(1);
        sync_file_range(program, 0, 0, SYNC_FILE_RANGE_WRITE);
        close(streams);
        close(history);
        if (fchmod(program, 0644) != 0 || fsync(program) != 0 || close(program) != 0) _exit(1);
        if (rename(temporary, "files-main.f") != 0 || close(echo) != 0 || close(log) != 0) _exit(1);
        _exit(0);
    });
    if (!succeeded(status)) {
        std::fprintf(stderr, "zemka-bench: writing the files alone failed in %s\n", dir.c_str());
        std::exit(1);
    }
    return run.seconds;
}

void writeAnswers(const fs::path& dir, const Answers& answers) {
    std::ofstream out(dir / "zemka.in");
    for (const auto& line : answers) out << line << '\n';
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Dialog {
    const char* title;
    Answers (*answers)(int neqn);
    std::vector<int> sizes;
    int pauses = 0;  // lines that end a pause: typed, but no answer in echo.out
};

// Runs each size of the dialog, prints its table and exits if zemka did not take exactly the
// answers written: a dialog out of step with the generator would measure something else.
// Each zemka run is followed by a run of the baseline, so that both meet the same load.
void measure(const fs::path& dir, const Dialog& dialog, int runs) {
    std::printf("\n%s\n%6s %9s %14s %10s %12s %7s %9s %8s %7s %12s %10s %14s\n", dialog.title, "NEQN", "answers",
                "main.f bytes", "time ms", "baseline ms", "ratio", "files ms", "rest ms", "ratio", "us/answer", "ms/MB",
                "peak RSS KiB");
    for (int neqn : dialog.sizes) {
        std::size_t count;
        std::uintmax_t history;
        {
            Answers answers = dialog.answers(neqn);
            count = answers.size();
            history = historyBytes(answers);
            writeAnswers(dir, answers);
        }
        // A child's peak RSS starts from the pages it shares with this process at the fork:
        // hand the answers' memory back first, or a large dialog is charged to zemka.
        malloc_trim(0);
        std::vector<double> times, baseline, files;
        long rss = 0;
        for (int r = 0; r < runs; ++r) {
            Run run = runZemka(dir);
            times.push_back(run.seconds);
            rss = std::max(rss, run.maxRssKiB);
            baseline.push_back(runBaseline(dir));
            Written written{fs::file_size(dir / "main.f"), fs::file_size(dir / "echo.out"),
                            fs::file_size(dir / "zemka.log"), history};
            files.push_back(runFiles(dir, written));
        }
        std::ifstream echo(dir / "echo.out");
        auto echoed = std::count(std::istreambuf_iterator<char>(echo), {}, '\n');
        if (echoed != static_cast<long>(count) - dialog.pauses) {
            std::fprintf(stderr, "zemka-bench: %s, NEQN %d: zemka took %ld of %zu answers\n", dialog.title, neqn,
                         static_cast<long>(echoed), count);
            std::exit(1);
        }
        auto bytes = static_cast<std::uintmax_t>(fs::file_size(dir / "main.f"));
        double ms = 1000 * median(times), base = 1000 * median(baseline), alone = 1000 * median(files);
        std::printf("%6d %9zu %14ju %10.1f %12.1f %7.2f %9.1f %8.1f %7.2f %12.2f %10.2f %14ld\n", neqn, count, bytes, ms,
                    base, ms / base, alone, ms - alone, (ms - alone) / base, 1000 * ms / static_cast<double>(count),
                    ms / (static_cast<double>(bytes) / 1e6), rss);
    }
}

// The 2D dialog again, with the answer before the last one taken back with "<" and given
// again: zemka starts the dialog afresh and replays every answer before it. Prints the time
// of the plain dialog, of the one with the step back, and their difference, the cost of the
// step back.
void measureStepBack(const fs::path& dir, const std::vector<int>& sizes, int runs) {
    std::printf("\n2D Galerkin, one step back before the last answer\n%6s %9s %14s %14s %14s\n", "NEQN",
                "answers", "plain ms", "step back ms", "difference ms");
    for (int neqn : sizes) {
        Answers plain = answers2d(neqn);
        Answers stepping = plain;
        stepping.insert(stepping.end() - 1, {"<", plain[plain.size() - 2]});
        double ms[2];
        for (int variant = 0; variant < 2; ++variant) {
            writeAnswers(dir, variant ? stepping : plain);
            std::vector<double> times;
            for (int r = 0; r < runs; ++r) times.push_back(runZemka(dir).seconds);
            std::ifstream echo(dir / "echo.out");
            if (std::count(std::istreambuf_iterator<char>(echo), {}, '\n') != static_cast<long>(plain.size())) {
                std::fprintf(stderr, "zemka-bench: the step back of NEQN %d left other answers\n", neqn);
                std::exit(1);
            }
            ms[variant] = 1000 * median(times);
        }
        std::printf("%6d %9zu %14.1f %14.1f %14.1f\n", neqn, plain.size(), ms[0], ms[1], ms[1] - ms[0]);
    }
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    // A size given after the runs measures the 3D dialog of that size alone.
    int only3d = argc > 2 ? std::atoi(argv[2]) : 0;
    if (runs < 1 || argc > 3 || (argc > 2 && (only3d < 1 || only3d > 99))) {
        std::fprintf(stderr, "usage: zemka-bench [runs [NEQN of the 3D dialog alone, 1..99]]\n");
        return 2;
    }
    std::string pattern = (fs::temp_directory_path() / "zemka-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("zemka-bench: mkdtemp");
        return 1;
    }
    fs::path dir = pattern;
    writeCatalogue(dir / "zemka.seq");

    std::printf("zemka: %s\n%d runs per size; time is the median, memory the largest peak RSS\n", ZEMKA_BINARY, runs);
    const Dialog dialogs[] = {{"0D, nonlinear steady state", answers0d, {25, 50, 99}},
                              {"1D Galerkin, nonlinear steady state", answers1dg, {10, 20, 40}, 1},
                              {"1D collocation, nonlinear steady state", answers1dc, {10, 20, 40}},
                              {"2D Galerkin, nonlinear steady state", answers2d, {10, 20, 30}},
                              {"2D collocation, nonlinear steady state", answers2dc, {10, 20}},
                              {"3D, nonlinear steady state", answers3d, {5, 10, 20}}};
    if (only3d) {
        measure(dir, {"3D, nonlinear steady state", answers3d, {only3d}}, runs);
    } else {
        for (const Dialog& dialog : dialogs) measure(dir, dialog, runs);
        measureStepBack(dir, {30, 99}, runs);
    }
    fs::remove_all(dir);
    return 0;
}
