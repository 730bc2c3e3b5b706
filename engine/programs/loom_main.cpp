// loom: runs scripts. Loads the packages beside itself and those named with
// --package, runs each script in fresh variables from the script's own
// folder, prints a summary line per script and "N passed, N failed", and
// optionally writes the result as JUnit XML.
//
// Exit status: 0 every script passed, 1 one failed, 2 usage or parse error.
#include "FunctionReference.h"
#include "Loom.h"
#include "ScriptInterpreter.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const kVersion = "0.1.0";

#if defined(_WIN32)
const char* const kPackageSuffix = ".dll";
#else
const char* const kPackageSuffix = ".so";
#endif

enum class Outcome { Passed, Failed, Broken };  // Broken: unreadable or syntax error

struct ScriptResult {
    std::string name;
    Outcome outcome = Outcome::Passed;
    int errors = 0;
    double seconds = 0.0;
    std::vector<std::string> lines;  // the errors and warnings reported
    int failureLine = 0;  // the first error's line in the script's outermost statements
    std::string failureFile;  // and its file (an included one, or the script)
};

struct Options {
    std::vector<std::string> packages;
    std::string junitFile;
    std::vector<std::string> scripts;
    bool functions = false;  // print the reference instead of running scripts
};

void PrintUsage(FILE* to)
{
    std::fprintf(to,
                 "usage: loom [--package DLL]... [--junit FILE] SCRIPT...\n"
                 "       loom [--package DLL]... --functions\n"
                 "\n"
                 "Runs each script and prints one summary line per script and\n"
                 "\"N passed, N failed\". A script passes when it reports no error.\n"
                 "\n"
                 "  --package DLL   load a package besides Almanac and KestrelBase\n"
                 "  --junit FILE    also write the results as JUnit XML\n"
                 "  --functions     print every function a script can call (Markdown)\n"
                 "  --update-baselines  CheckScreenshot rewrites baselines instead of comparing\n"
                 "  --help          show this text\n"
                 "  --version       show the version\n"
                 "\n"
                 "Exit status: 0 all passed, 1 a script failed, 2 usage or parse error.\n");
}

// 0: go on; otherwise the exit status (after --help, --version or misuse).
int ParseArguments(int argc, char** argv, Options& options, bool& done)
{
    done = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintUsage(stdout);
            done = true;
            return 0;
        }
        if (arg == "--version") {
            std::printf("loom %s\n", kVersion);
            done = true;
            return 0;
        }
        if (arg == "--update-baselines") {
            // Read by CheckScreenshot in the KestrelBase package.
#if defined(_WIN32)
            SetEnvironmentVariableA("KESTREL_UPDATE_BASELINES", "1");
            _putenv("KESTREL_UPDATE_BASELINES=1");
#else
            setenv("KESTREL_UPDATE_BASELINES", "1", 1);
#endif
            continue;
        }
        if (arg == "--package" || arg == "--junit") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "loom: %s needs an argument\n", arg.c_str());
                PrintUsage(stderr);
                return 2;
            }
            if (arg == "--package") options.packages.push_back(argv[++i]);
            else options.junitFile = argv[++i];
            continue;
        }
        if (arg == "--functions") {
            options.functions = true;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "loom: unknown option '%s'\n", arg.c_str());
            PrintUsage(stderr);
            return 2;
        }
        options.scripts.push_back(arg);
    }
    if (options.scripts.empty() && !options.functions) {
        std::fprintf(stderr, "loom: no script given\n");
        PrintUsage(stderr);
        return 2;
    }
    return 0;
}

std::string ProgramDirectory()
{
#if defined(_WIN32)
    std::vector<char> buffer(32768);
    const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    const std::string path(buffer.data(), n);
#else
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    const std::string path = n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string();
#endif
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

bool ReadFile(const fs::path& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return !in.bad();
}

ScriptResult RunScript(CEngine& engine, const std::string& name, const fs::path& startDir, const std::string& loomDir)
{
    ScriptResult result;
    result.name = name;
    const auto start = std::chrono::steady_clock::now();
    std::error_code ec;
    const fs::path path = fs::absolute(startDir / fs::path(name), ec).lexically_normal();
    std::string source;
    if (ec || !ReadFile(path, source)) {
        const std::string line = name + ": error: cannot read the script";
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", line.c_str());
        result.lines.push_back(line);
        result.outcome = Outcome::Broken;
        result.errors = 1;
        return result;
    }
    const fs::path folder = path.parent_path();
    fs::current_path(folder, ec);
    engine.GetEnvironment()->SetCWD(String(folder.string()));
    engine.GetEnvironment()->ResetCounts();

    loom::CScriptInterpreter interpreter(engine, name);
    CDataString loomDirValue{String(loomDir)};
    CDataString scriptDirValue{String(folder.string())};
    interpreter.DefineVariable(loomDirValue, "LoomDir");
    interpreter.DefineVariable(scriptDirValue, "ScriptDir");
    if (interpreter.Parse(source)) interpreter.Run();
    std::fflush(stdout);

    const loom::Diagnostics& diagnostics = interpreter.GetDiagnostics();
    result.lines = diagnostics.Lines();
    result.errors = diagnostics.ErrorCount();
    result.failureLine = diagnostics.FailureLine();
    result.failureFile = diagnostics.FailureFile();
    if (interpreter.HadSyntaxError()) result.outcome = Outcome::Broken;
    else if (result.errors > 0) result.outcome = Outcome::Failed;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

std::string XmlEscape(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Control characters other than tab and line ends are not
            // allowed in XML 1.0 at all.
            if (u < 0x20 && c != '\t' && c != '\n' && c != '\r') out += '?';
            else out += c;
        }
    }
    return out;
}

std::string Seconds(double s)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", s);
    return buffer;
}

bool WriteJUnit(const std::string& file, const std::vector<ScriptResult>& results)
{
    int failures = 0, errors = 0;
    double total = 0.0;
    for (const ScriptResult& r : results) {
        if (r.outcome == Outcome::Failed) ++failures;
        if (r.outcome == Outcome::Broken) ++errors;
        total += r.seconds;
    }
    char stamp[32] = "";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* t = std::gmtime(&now)) std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", t);

    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml << "<testsuites name=\"loom\" tests=\"" << results.size() << "\" failures=\"" << failures << "\" errors=\""
        << errors << "\" time=\"" << Seconds(total) << "\">\n";
    xml << "  <testsuite name=\"loom\" tests=\"" << results.size() << "\" failures=\"" << failures
        << "\" errors=\"" << errors << "\" skipped=\"0\" time=\"" << Seconds(total) << "\" timestamp=\"" << stamp
        << "\">\n";
    for (const ScriptResult& r : results) {
        std::string base = fs::path(r.name).stem().string();
        xml << "    <testcase classname=\"loom." << XmlEscape(base) << "\" name=\"" << XmlEscape(r.name)
            << "\" time=\"" << Seconds(r.seconds) << "\"";
        if (r.outcome == Outcome::Passed) {
            xml << "/>\n";
            continue;
        }
        // Where the failure is, as the outermost script statement sees it:
        // for an error inside a script function, the line of the call.
        if (r.failureLine > 0) xml << " file=\"" << XmlEscape(r.failureFile) << "\" line=\"" << r.failureLine << "\"";
        std::string body;
        for (const std::string& line : r.lines) body += line + "\n";
        const char* element = r.outcome == Outcome::Broken ? "error" : "failure";
        const std::string message = r.outcome == Outcome::Broken
                                        ? std::string("the script could not be run")
                                        : std::to_string(r.errors) + (r.errors == 1 ? " error" : " errors");
        xml << ">\n      <" << element << " message=\"" << XmlEscape(message) << "\" type=\""
            << (r.outcome == Outcome::Broken ? "ScriptError" : "ScriptFailure") << "\">" << XmlEscape(body) << "</"
            << element << ">\n    </testcase>\n";
    }
    xml << "  </testsuite>\n</testsuites>\n";

    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << xml.str();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    bool done = false;
    if (const int status = ParseArguments(argc, argv, options, done)) return status;
    if (done) return 0;

    std::error_code ec;
    const fs::path startDir = fs::current_path(ec);
    const std::string loomDir = ProgramDirectory();
#if defined(_WIN32)
    // Programs that scripts start inherit loom's folder on their PATH: the
    // agent library, hooked into them later, finds the engine library there.
    {
        const char* path = std::getenv("PATH");
        const std::string extended = loomDir + ";" + (path ? path : "");
        SetEnvironmentVariableA("PATH", extended.c_str());
    }
#endif

    CEngine engine;
    for (const char* package : {"Almanac", "KestrelBase"}) {
        const fs::path path = fs::path(loomDir) / (std::string(package) + kPackageSuffix);
        if (!fs::exists(path, ec)) continue;
        const CStatus status = engine.LoadPackage(String(path.string()));
        if (!status) std::fprintf(stderr, "loom: warning: %s\n", status.GetStatusMessage().c_str());
    }
    for (const std::string& package : options.packages) {
        const CStatus status = engine.LoadPackage(String(package));
        if (!status) {
            std::fprintf(stderr, "loom: %s\n", status.GetStatusMessage().c_str());
            return 2;
        }
    }

    if (options.functions) {
        std::fputs(WriteFunctionReference(engine).c_str(), stdout);
        return 0;
    }

    std::vector<ScriptResult> results;
    for (const std::string& script : options.scripts) results.push_back(RunScript(engine, script, startDir, loomDir));
    fs::current_path(startDir, ec);

    int passed = 0, failed = 0;
    bool broken = false;
    for (const ScriptResult& r : results) {
        switch (r.outcome) {
        case Outcome::Passed:
            ++passed;
            std::printf("PASS  %s\n", r.name.c_str());
            break;
        case Outcome::Failed:
            ++failed;
            std::printf("FAIL  %s (%d error%s)\n", r.name.c_str(), r.errors, r.errors == 1 ? "" : "s");
            break;
        case Outcome::Broken:
            ++failed;
            broken = true;
            std::printf("ERROR %s (not run)\n", r.name.c_str());
            break;
        }
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);

    if (!options.junitFile.empty() && !WriteJUnit(options.junitFile, results)) {
        std::fprintf(stderr, "loom: cannot write '%s'\n", options.junitFile.c_str());
        return 2;
    }
    if (broken) return 2;
    return failed ? 1 : 0;
}
