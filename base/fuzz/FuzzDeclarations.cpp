// Fuzz loop of the declarations-file reader: mutations of seed .dec files
// (bytes flipped, inserted and deleted, lines repeated, indentation made
// deep, splices of other seeds, truncations) are parsed line by line, and
// every tree that parses is turned into window values and freed again.
// A crash or a hang stops the run.
//
//   base_fuzz_declarations SECONDS SEED FILE...
// Prints the number of inputs tried.
#include "ClassWindow.h"
#include "Declarations.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::mt19937 rng;

std::string ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const char* const kPieces[] = {"[-]", "[+]", "(1)", "(2)", "Tag=", "Class=", "Parent=", "Child=", "\"", "\t",
                               "\n", "*", "MainWin ", "Control ", "Menu", "MenuItem", "=", "9999999999", "-1",
                               "(", ")", "[", "]"};

std::string Mutate(const std::vector<std::string>& seeds)
{
    std::string text = seeds[rng() % seeds.size()];
    const int steps = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < steps; ++i) {
        const size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
        switch (rng() % 6) {
        case 0:
            if (at < text.size()) text[at] = static_cast<char>(rng());
            break;
        case 1:
            text.insert(at, kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])]);
            break;
        case 2:
            if (at < text.size()) text.erase(at, 1 + rng() % 16);
            break;
        case 3: {
            const std::string& other = seeds[rng() % seeds.size()];
            if (!other.empty()) text.insert(at, other.substr(rng() % other.size(), rng() % 300));
            break;
        }
        case 4:
            text.insert(at, std::string(1 + rng() % 200, '\t'));
            break;
        default:
            text.resize(at);
            break;
        }
    }
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: base_fuzz_declarations SECONDS SEED FILE...\n");
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    rng.seed(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    std::vector<std::string> seeds;
    for (int i = 3; i < argc; ++i) seeds.push_back(ReadFile(argv[i]));
    CDataWindow prototype;
    prototype.InitData();
    const auto start = std::chrono::steady_clock::now();
    long inputs = 0, parsed = 0;
    for (;;) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed >= seconds) break;
        std::istringstream in(Mutate(seeds));
        DeclarationsParser parser;
        std::string line;
        int number = 0;
        bool ok = true;
        while (ok && std::getline(in, line)) ok = static_cast<bool>(parser.ParseLine(String(line), ++number));
        WinDataPtr tree = parser.TakeTree();
        if (ok && tree) {
            ++parsed;
            CDataWindow owner;
            BuildWindowMembers(owner, tree.get());
        }
        if (++inputs % 20000 == 0) std::fprintf(stderr, "declarations: %ld inputs, %.0f s\n", inputs, elapsed);
    }
    std::printf("declarations: %ld inputs (%ld parsed whole) in %.0f s, no fault\n", inputs, parsed, seconds);
    return 0;
}
