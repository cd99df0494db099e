// Counts the pixels of given colours in a binary PPM (P6) image, for checking rendered pages.
// Usage: ppmcheck FILE R,G,B,MIN [R,G,B,MIN ...]; fails if a colour has fewer than MIN pixels
// within a small tolerance (renderers round 0.5 intensities either way).
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kTolerance = 3;

struct Want {
    int r, g, b;
    long min;
    long count = 0;
};

// Reads the next header number, skipping whitespace and comments.
long headerNumber(std::istream& in) {
    char c;
    while (in.get(c)) {
        if (c == '#') {
            std::string rest;
            std::getline(in, rest);
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            in.unget();
            break;
        }
    }
    long v = -1;
    in >> v;
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: ppmcheck FILE R,G,B,MIN...\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::string magic;
    in >> magic;
    const long width = headerNumber(in);
    const long height = headerNumber(in);
    const long maxval = headerNumber(in);
    in.get();  // the single whitespace before the raster
    if (!in || magic != "P6" || width <= 0 || height <= 0 || maxval != 255) {
        std::cerr << argv[1] << ": not an 8-bit binary PPM\n";
        return 2;
    }
    std::vector<unsigned char> raster((std::istreambuf_iterator<char>(in)), {});
    if (raster.size() < static_cast<std::size_t>(width * height * 3)) {
        std::cerr << argv[1] << ": raster is short\n";
        return 2;
    }

    std::vector<Want> wants;
    for (int i = 2; i < argc; ++i) {
        Want w{};
        if (std::sscanf(argv[i], "%d,%d,%d,%ld", &w.r, &w.g, &w.b, &w.min) != 4) {
            std::cerr << "bad colour argument: " << argv[i] << '\n';
            return 2;
        }
        wants.push_back(w);
    }
    for (long p = 0; p < width * height; ++p) {
        const int r = raster[3 * p], g = raster[3 * p + 1], b = raster[3 * p + 2];
        for (Want& w : wants) {
            if (std::abs(r - w.r) <= kTolerance && std::abs(g - w.g) <= kTolerance &&
                std::abs(b - w.b) <= kTolerance) {
                ++w.count;
            }
        }
    }
    bool ok = true;
    for (const Want& w : wants) {
        const bool enough = w.count >= w.min;
        ok = ok && enough;
        std::cout << argv[1] << ": " << w.r << ',' << w.g << ',' << w.b << " has " << w.count
                  << " pixels, needs " << w.min << (enough ? "" : "  <-- too few") << '\n';
    }
    return ok ? 0 : 1;
}
