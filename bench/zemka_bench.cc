// zemka-bench: runs the built zemka on large 0D dialogs (a nonlinear steady-state system of
// NEQN equations with every Jacobian entry answered) and reports, for each NEQN, the wall
// time, the peak resident memory of the zemka process and the size of the main.f it wrote.
//
// usage: zemka-bench [runs]     (runs per size, default 5; the median time is reported)
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
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

std::string unknown(int k) { return "u" + std::to_string(k); }

// The answers, one a line, in the order the 0D dialog asks for them. Returns their count.
int writeAnswers(const fs::path& file, int neqn) {
    std::vector<std::string> a{
        "n", "0", "y",          // no example, 0D, double precision
        "", "", "n",            // NPROB kept, no global parameters, no optional blocks
        "1", "n", "",           // steady state, nonlinear, NSTEPS kept
        std::to_string(neqn)};
    for (int k = 1; k <= neqn; ++k) a.push_back(unknown(k));
    a.insert(a.end(), {"n", "0", "n"});  // exact Jacobian, no integrals, no block
    // F(i) = u(i)**2 - i*u(i+1) + 1, cyclic in i; dF(i)/du(k) is 2*u(i) at k = i, -i at k = i+1.
    auto next = [neqn](int i) { return i % neqn + 1; };
    for (int i = 1; i <= neqn; ++i)
        a.push_back(unknown(i) + "**2 - " + std::to_string(i) + ".0*" + unknown(next(i)) + " + 1.0");
    for (int i = 1; i <= neqn; ++i)
        for (int k = 1; k <= neqn; ++k) {
            std::string d = "0.0";
            if (k == i) d = "2.0*" + unknown(i);
            if (k == next(i)) d = (k == i ? d + " - " : "-") + std::to_string(i) + ".0";
            a.push_back(d);
        }
    for (int i = 1; i <= neqn; ++i) a.push_back("1.0");  // initial values
    a.push_back("n");                                       // no restart
    a.insert(a.end(), static_cast<std::size_t>(neqn), "");  // UPRINT kept
    a.insert(a.end(), {"0", "n"});                          // no output requests, no user block
    std::ofstream out(file);
    for (const auto& line : a) out << line << '\n';
    return static_cast<int>(a.size());
}

struct Run {
    double seconds;
    long maxRssKiB;
};

// One zemka run in dir with answers.txt as its keyboard; exits on failure.
Run runZemka(const fs::path& dir) {
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid < 0) {
        std::perror("zemka-bench: fork");
        std::exit(1);
    }
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(126);
        int in = open("answers.txt", O_RDONLY);
        int out = open("/dev/null", O_WRONLY);
        int err = open("errors.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0) _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        execl(ZEMKA_BINARY, "zemka", static_cast<char*>(nullptr));
        _exit(127);
    }
    // wait4 gives this child's own usage, so runs of different sizes do not mix.
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("zemka-bench: wait4");
        std::exit(1);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::ifstream err(dir / "errors.txt");
        std::string why((std::istreambuf_iterator<char>(err)), {});
        std::fprintf(stderr, "zemka-bench: zemka failed in %s: %s\n", dir.c_str(), why.c_str());
        std::exit(1);
    }
    return {seconds, usage.ru_maxrss};
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    if (runs < 1) {
        std::fprintf(stderr, "usage: zemka-bench [runs]\n");
        return 2;
    }
    std::string pattern = (fs::temp_directory_path() / "zemka-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("zemka-bench: mkdtemp");
        return 1;
    }
    fs::path dir = pattern;
    writeCatalogue(dir / "zemka.seq");

    std::printf("zemka: %s\n%d runs per size; time is the median, memory the largest peak RSS\n\n", ZEMKA_BINARY,
                runs);
    std::printf("%6s %9s %14s %10s %14s\n", "NEQN", "answers", "main.f bytes", "time ms", "peak RSS KiB");
    for (int neqn : {25, 50, 99}) {
        int answers = writeAnswers(dir / "answers.txt", neqn);
        std::vector<double> times;
        long rss = 0;
        for (int r = 0; r < runs; ++r) {
            Run run = runZemka(dir);
            times.push_back(run.seconds);
            rss = std::max(rss, run.maxRssKiB);
        }
        std::sort(times.begin(), times.end());
        auto bytes = static_cast<std::uintmax_t>(fs::file_size(dir / "main.f"));
        std::printf("%6d %9d %14ju %10.1f %14ld\n", neqn, answers, bytes, 1000 * times[times.size() / 2], rss);
    }
    fs::remove_all(dir);
    return 0;
}
