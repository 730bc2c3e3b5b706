// loom: runs scripts. Loads the packages beside itself and those named with
// --package, runs each script in fresh variables from the script's own
// folder, within its time limit, ends the processes it left running,
// prints a summary line per script with its duration and "N passed, N
// failed", and optionally writes the results as JUnit XML and an HTML page,
// with screenshots of each failure.
//
// Exit status: 0 every script passed, 1 one failed, 2 usage or parse error.
#include "FailureCapture.h"
#include "FunctionReference.h"
#include "HtmlReport.h"
#include "JUnitReport.h"
#include "Loom.h"
#include "ProcessJob.h"
#include "ScriptInterpreter.h"
#include "ScriptResult.h"
#include "ScriptTimer.h"

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

constexpr double kDefaultTimeout = 600.0;
// How long a script past its limit gets to come back from a call before
// loom ends it the hard way.
constexpr double kStuckGrace = 5.0;

struct Options {
    std::vector<std::string> packages;
    std::string junitFile;
    std::string artifactsDir;
    std::string reportDir;
    double timeout = kDefaultTimeout;  // seconds per script; 0: none
    std::vector<std::string> scripts;
    bool functions = false;  // print the reference instead of running scripts
    bool fromJUnit = false;  // the arguments are JUnit files of loom to report as one run
};

void PrintUsage(FILE* to)
{
    std::fprintf(to,
                 "usage: loom [--package DLL]... [--junit FILE] [--report DIR] [--artifacts DIR]\n"
                 "            [--timeout SECONDS] SCRIPT...\n"
                 "       loom [--package DLL]... --functions\n"
                 "\n"
                 "Runs each script and prints one summary line per script and\n"
                 "\"N passed, N failed\". A script passes when it reports no error.\n"
                 "\n"
                 "  --package DLL   load a package besides Almanac and KestrelBase\n"
                 "  --junit FILE    also write the results as JUnit XML\n"
                 "  --report DIR    also write DIR/index.html, a page of the results\n"
                 "  --artifacts DIR put screenshots of failures here (default: beside\n"
                 "                  the JUnit file, else in the report folder)\n"
                 "  --timeout SECONDS  stop a script that runs longer (default 600, 0: none)\n"
                 "  --functions     print every function a script can call (Markdown)\n"
                 "  --from-junit    run nothing: the arguments are JUnit files of earlier\n"
                 "                  runs, written again as one (--junit, --report)\n"
                 "  --update-baselines  CheckScreenshot rewrites baselines instead of comparing\n"
                 "  --help          show this text\n"
                 "  --version       show the version\n"
                 "\n"
                 "Exit status: 0 all passed, 1 a script failed, 2 usage or parse error.\n");
}

bool ParseTimeout(const std::string& text, double& seconds)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= 0.0) || value > 1e7) return false;
    seconds = value;
    return true;
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
        if (arg == "--package" || arg == "--junit" || arg == "--report" || arg == "--artifacts" ||
            arg == "--timeout") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "loom: %s needs an argument\n", arg.c_str());
                PrintUsage(stderr);
                return 2;
            }
            const std::string value = argv[++i];
            if (arg == "--package") options.packages.push_back(value);
            else if (arg == "--junit") options.junitFile = value;
            else if (arg == "--report") options.reportDir = value;
            else if (arg == "--artifacts") options.artifactsDir = value;
            else if (!ParseTimeout(value, options.timeout)) {
                std::fprintf(stderr, "loom: --timeout needs a number of seconds of 0 or more, not '%s'\n",
                             value.c_str());
                return 2;
            }
            continue;
        }
        if (arg == "--functions") {
            options.functions = true;
            continue;
        }
        if (arg == "--from-junit") {
            options.fromJUnit = true;
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

// What every script's run shares.
struct RunContext {
    CEngine& engine;
    fs::path startDir;
    std::string loomDir;
    double timeout;
    ProcessJob& job;
    FailureCapture& capture;
};

std::string LimitText(double seconds)
{
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%g", seconds);
    return buffer;
}

// Ends what the script left running, each with a warning of the script.
void EndLeftovers(ProcessJob& job, ScriptResult& result)
{
    for (const ProcessJob::Process& p : job.EndStrays()) {
        const std::string line = result.name + ": warning: ended " + p.name + " (process " + std::to_string(p.id) +
                                 "), which the script had started and left running";
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
        result.lines.push_back(line);
    }
}

ScriptResult RunScript(RunContext& run, const std::string& name)
{
    ScriptResult result;
    result.name = name;
    const auto start = std::chrono::steady_clock::now();
    std::error_code ec;
    const fs::path path = fs::absolute(run.startDir / fs::path(name), ec).lexically_normal();
    result.path = path.string();
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
    run.engine.GetEnvironment()->SetCWD(String(folder.string()));
    run.engine.GetEnvironment()->ResetCounts();

    loom::CScriptInterpreter interpreter(run.engine, name);
    CDataString loomDirValue{String(run.loomDir)};
    CDataString scriptDirValue{String(folder.string())};
    interpreter.DefineVariable(loomDirValue, "LoomDir");
    interpreter.DefineVariable(scriptDirValue, "ScriptDir");
    const std::string stem = path.stem().string();
    if (interpreter.Parse(source)) {
        interpreter.SetFirstErrorHandler([&run, &result, stem](const std::string& message) {
            const std::string screen = run.capture.CaptureScreen(stem);
            if (!screen.empty()) result.screenshots.push_back(screen);
            const std::string window = run.capture.CaptureNamedWindow(stem, message);
            if (!window.empty()) result.screenshots.push_back(window);
        });
        const std::string limit = LimitText(run.timeout);
        ScriptTimer timer(
            ScriptTimer::Seconds(run.timeout), ScriptTimer::Seconds(kStuckGrace),
            [&interpreter, limit] { interpreter.StopWithError("script exceeded its time limit of " + limit + " s"); },
            [&run, name, limit] {
                // Blocked in a call: what it started is ended, which may
                // free the call; if not, loom cannot go on.
                run.job.EndStrays();
                std::fflush(stdout);
                std::fprintf(stderr,
                             "%s: error: script exceeded its time limit of %s s and did not stop within %g s; "
                             "loom ends\n",
                             name.c_str(), limit.c_str(), kStuckGrace);
                std::fflush(stderr);
                std::_Exit(1);
            });
        interpreter.Run();
    }
    std::fflush(stdout);
    EndLeftovers(run.job, result);

    const loom::Diagnostics& diagnostics = interpreter.GetDiagnostics();
    const std::vector<std::string>& reported = diagnostics.Lines();
    result.lines.insert(result.lines.begin(), reported.begin(), reported.end());
    result.errors = diagnostics.ErrorCount();
    result.failureLine = diagnostics.FailureLine();
    result.failureFile = diagnostics.FailureFile();
    if (interpreter.HadSyntaxError()) result.outcome = Outcome::Broken;
    else if (result.errors > 0) result.outcome = Outcome::Failed;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// " [1.234 s]": the duration at the end of a summary line.
std::string DurationSuffix(double seconds) { return " [" + FormatSeconds(seconds) + " s]"; }

// The folder for screenshots: --artifacts, else beside the JUnit file,
// else in the report's folder; empty when there is none of them.
std::string ArtifactsFolder(const Options& options)
{
    if (!options.artifactsDir.empty()) return options.artifactsDir;
    if (!options.junitFile.empty()) {
        const fs::path parent = fs::path(options.junitFile).parent_path();
        return parent.empty() ? std::string(".") : parent.string();
    }
    if (!options.reportDir.empty()) return (fs::path(options.reportDir) / "screenshots").string();
    return std::string();
}

// Makes the folder if need be; false (said on standard error) when it
// cannot be made or written.
bool PrepareFolder(const std::string& option, const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path probe = folder / ".loom-write-test";
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        if (!ec && out) {
            out.close();
            fs::remove(probe, ec);
            return true;
        }
    }
    std::fprintf(stderr, "loom: %s: cannot write to the folder '%s'\n", option.c_str(), folder.string().c_str());
    return false;
}

// The JUnit file and the page that the options ask for; false (said on
// standard error) when one cannot be written.
bool WriteReports(const Options& options, const std::vector<ScriptResult>& results)
{
    if (!options.junitFile.empty() && !WriteJUnit(options.junitFile, results)) {
        std::fprintf(stderr, "loom: cannot write '%s'\n", options.junitFile.c_str());
        return false;
    }
    if (!options.reportDir.empty() && !WriteHtmlReport(options.reportDir, results)) {
        std::fprintf(stderr, "loom: cannot write '%s'\n", (fs::path(options.reportDir) / "index.html").string().c_str());
        return false;
    }
    return true;
}

// --from-junit: the results of several runs as one JUnit file and page.
int ReportJUnitFiles(const Options& options)
{
    std::vector<ScriptResult> results;
    for (const std::string& file : options.scripts) {
        if (!ReadJUnit(file, results)) {
            std::fprintf(stderr, "loom: cannot read the JUnit file '%s'\n", file.c_str());
            return 2;
        }
    }
    if (!WriteReports(options, results)) return 2;
    for (const ScriptResult& r : results)
        if (r.outcome != Outcome::Passed) return 1;
    return 0;
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

    // Folders given relative to where loom was started: scripts run in
    // their own folders.
    for (std::string* folder : {&options.artifactsDir, &options.reportDir})
        if (!folder->empty()) *folder = fs::absolute(startDir / *folder, ec).lexically_normal().string();
    if (!options.junitFile.empty())
        options.junitFile = fs::absolute(startDir / options.junitFile, ec).lexically_normal().string();
    const std::string artifacts = ArtifactsFolder(options);
    if (!options.reportDir.empty() && !PrepareFolder("--report", options.reportDir)) return 2;
    if (!artifacts.empty() && !PrepareFolder("--artifacts", artifacts)) return 2;

    if (options.fromJUnit) return ReportJUnitFiles(options);

    ProcessJob job;
#if defined(_WIN32)
    if (!job.Active())
        std::fprintf(stderr, "loom: warning: %s; programs that scripts leave running are not ended\n",
                     job.Problem().c_str());
#endif
    FailureCapture capture(engine, artifacts);
    RunContext run{engine, startDir, loomDir, options.timeout, job, capture};
    std::vector<ScriptResult> results;
    for (const std::string& script : options.scripts) results.push_back(RunScript(run, script));
    fs::current_path(startDir, ec);

    int passed = 0, failed = 0;
    bool broken = false;
    for (const ScriptResult& r : results) {
        switch (r.outcome) {
        case Outcome::Passed:
            ++passed;
            std::printf("PASS  %s%s\n", r.name.c_str(), DurationSuffix(r.seconds).c_str());
            break;
        case Outcome::Failed:
            ++failed;
            std::printf("FAIL  %s (%d error%s)%s\n", r.name.c_str(), r.errors, r.errors == 1 ? "" : "s",
                        DurationSuffix(r.seconds).c_str());
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

    if (!WriteReports(options, results)) return 2;
    if (broken) return 2;
    return failed ? 1 : 0;
}
