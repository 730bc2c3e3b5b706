// Fuzz loop of the engine's two readers of untrusted text: the script
// parser (lexer and parser, nothing is run) and the option-file loader.
// Inputs are mutations of seed files: bytes flipped, inserted and deleted,
// slices of one seed spliced into another, truncations, and script tokens
// repeated or cut. Built with the sanitizers, any access outside a buffer,
// overflow or unbounded recursion stops the run.
//
//   engine_fuzz_text parser|options SECONDS SEED FILE...
// Prints the number of inputs tried.
#include "GlobalTable.h"
#include "Options.h"
#include "Parser.h"

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

const char* const kPieces[] = {"(", ")", "{", "}", "[", "]", ";", ",", "\"", "'", "/*", "*/", "//", "<", ">",
                               "=", "==", "+", "-", "*", "/", "!", "&&", "||", "++", "\n", "\t", " ",
                               "function", "int", "string", "real", "bool", "if", "else", "while", "for",
                               "return", "include", "use", "define", "9999999999999999999", "1e308", "0x",
                               "\\", "\\\"", "\xff", "\0"};

std::string Mutate(const std::vector<std::string>& seeds)
{
    std::string text = seeds[rng() % seeds.size()];
    const int steps = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < steps; ++i) {
        const size_t at = text.empty() ? 0 : rng() % (text.size() + 1);
        switch (rng() % 7) {
        case 0:
            if (!text.empty() && at < text.size()) text[at] = static_cast<char>(rng());
            break;
        case 1: {
            const char* piece = kPieces[rng() % (sizeof kPieces / sizeof kPieces[0])];
            text.insert(at, piece[0] ? std::string(piece) : std::string(1, '\0'));
            break;
        }
        case 2:
            if (at < text.size()) text.erase(at, 1 + rng() % 16);
            break;
        case 3: {
            const std::string& other = seeds[rng() % seeds.size()];
            if (!other.empty()) {
                const size_t from = rng() % other.size();
                text.insert(at, other.substr(from, rng() % 200));
            }
            break;
        }
        case 4:
            text.resize(at);
            break;
        case 5:
            // Deep nesting: the parser must refuse it, not overflow.
            text.insert(at, std::string(1 + rng() % 3000, "({[("[rng() % 4]));
            break;
        default:
            if (at < text.size()) text.insert(at, text.substr(at, rng() % 64));
            break;
        }
    }
    return text;
}

void ParseScript(const std::string& text)
{
    loom::GlobalTable globals;
    loom::Parser parser(text, globals, [](const std::string& name) { return name == "use" || name == "define"; });
    loom::Program program;
    parser.ParseProgram(program);
}

void LoadOptions(const std::string& text, const std::string& file)
{
    {
        std::ofstream out(file, std::ios::binary);
        out << text;
    }
    std_options options;
    if (rng() % 3 == 0) options.SetToken(":");
    if (rng() % 3 == 0) options.SetComment(";");
    options.LoadFromFile(file.c_str());
    String key, value;
    for (int i = -1; i <= options.GetCount(); ++i) options.GetKey(i, key);
    options.GetOption(String("a"), value);
    options.List();
    options.SaveToFile(file.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: engine_fuzz_text parser|options SECONDS SEED FILE...\n");
        return 2;
    }
    const std::string leg = argv[1];
    const double seconds = std::atof(argv[2]);
    rng.seed(static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
    std::vector<std::string> seeds;
    for (int i = 4; i < argc; ++i) seeds.push_back(ReadFile(argv[i]));
    const std::string scratch = "engine_fuzz_options_" + std::to_string(rng()) + ".txt";
    const auto start = std::chrono::steady_clock::now();
    long inputs = 0;
    for (;;) {
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed >= seconds) break;
        const std::string text = Mutate(seeds);
        if (leg == "parser") ParseScript(text);
        else LoadOptions(text, scratch);
        if (++inputs % 20000 == 0) std::fprintf(stderr, "%s: %ld inputs, %.0f s\n", leg.c_str(), inputs, elapsed);
    }
    std::remove(scratch.c_str());
    std::printf("%s: %ld inputs in %.0f s, no fault\n", leg.c_str(), inputs, seconds);
    return 0;
}
