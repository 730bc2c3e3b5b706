#include "SpyOptions.h"

#include <cstdlib>

namespace spy {

namespace {

bool ParseNumber(const std::string& text, long long& value)
{
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0';
}

}  // namespace

const char* SpyUsage()
{
    return "usage: KestrelSpy SELECT [--run \"COMMAND LINE\" [--wait SECONDS] [--keep]] ACTION\n"
           "  SELECT: --title TEXT (a '*' makes it partial: the text before it, anywhere in the caption)\n"
           "          --class NAME | --pid N | --all (every visible top-level window)\n"
           "          With --run and no SELECT, the windows of the started program.\n"
           "  ACTION: --tree              print each window's tree with items and menus\n"
           "          --out FILE.dec      write a declarations file that `use` reads\n"
           "          --at X,Y            describe the window at a screen point\n"
           "  --items N: items shown per list, tree, tab or tool bar with --tree (20)\n";
}

bool ParseSpyOptions(const std::vector<std::string>& args, SpyOptions& options, std::string& error)
{
    options = SpyOptions();
    auto setSelect = [&](SpyOptions::Select select, const std::string& flag) {
        if (options.select != SpyOptions::Select::None) {
            error = flag + ": only one of --title, --class, --pid and --all can be given";
            return false;
        }
        options.select = select;
        return true;
    };
    auto setAction = [&](SpyOptions::Action action, const std::string& flag) {
        if (options.action != SpyOptions::Action::None) {
            error = flag + ": only one of --tree, --out and --at can be given";
            return false;
        }
        options.action = action;
        return true;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        const bool takesValue = flag == "--title" || flag == "--class" || flag == "--pid" || flag == "--run" ||
                                flag == "--wait" || flag == "--out" || flag == "--at" || flag == "--items";
        std::string value;
        if (takesValue) {
            if (i + 1 >= args.size()) {
                error = flag + " needs a value";
                return false;
            }
            value = args[++i];
        }
        long long number = 0;
        if (flag == "--title") {
            if (!setSelect(SpyOptions::Select::Title, flag)) return false;
            options.title = value;
        } else if (flag == "--class") {
            if (!setSelect(SpyOptions::Select::Class, flag)) return false;
            options.className = value;
        } else if (flag == "--pid") {
            if (!setSelect(SpyOptions::Select::Pid, flag)) return false;
            if (!ParseNumber(value, number) || number <= 0) {
                error = "--pid: '" + value + "' is not a process id";
                return false;
            }
            options.pid = static_cast<unsigned long>(number);
        } else if (flag == "--all") {
            if (!setSelect(SpyOptions::Select::All, flag)) return false;
        } else if (flag == "--run") {
            if (value.empty()) {
                error = "--run: the command line is empty";
                return false;
            }
            options.run = value;
        } else if (flag == "--wait") {
            char* end = nullptr;
            options.waitSeconds = std::strtod(value.c_str(), &end);
            if (value.empty() || !end || *end || options.waitSeconds <= 0 || options.waitSeconds > 600) {
                error = "--wait: '" + value + "' is not a number of seconds from 0 to 600";
                return false;
            }
        } else if (flag == "--keep") {
            options.keep = true;
        } else if (flag == "--tree") {
            if (!setAction(SpyOptions::Action::Tree, flag)) return false;
        } else if (flag == "--out") {
            if (!setAction(SpyOptions::Action::Out, flag)) return false;
            if (value.empty()) {
                error = "--out: the file name is empty";
                return false;
            }
            options.outPath = value;
        } else if (flag == "--at") {
            if (!setAction(SpyOptions::Action::At, flag)) return false;
            const size_t comma = value.find(',');
            long long x = 0, y = 0;
            if (comma == std::string::npos || !ParseNumber(value.substr(0, comma), x) ||
                !ParseNumber(value.substr(comma + 1), y)) {
                error = "--at: '" + value + "' is not a point X,Y";
                return false;
            }
            options.atX = static_cast<int>(x);
            options.atY = static_cast<int>(y);
        } else if (flag == "--items") {
            if (!ParseNumber(value, number) || number < 0 || number > 100000) {
                error = "--items: '" + value + "' is not a count";
                return false;
            }
            options.itemLimit = static_cast<int>(number);
        } else {
            error = "unknown argument '" + flag + "'";
            return false;
        }
    }
    if (options.action == SpyOptions::Action::None) {
        error = "no action: give --tree, --out FILE or --at X,Y";
        return false;
    }
    if (options.action != SpyOptions::Action::At && options.select == SpyOptions::Select::None &&
        options.run.empty()) {
        error = "no window selected: give --title, --class, --pid, --all or --run";
        return false;
    }
    return true;
}

bool MatchesSelection(const SpyOptions& options, const std::string& windowClass, const std::string& caption)
{
    switch (options.select) {
    case SpyOptions::Select::Title: {
        // The lookup's rule for partial tags: the text before the first '*'
        // matches anywhere in the caption.
        const size_t star = options.title.find('*');
        if (star == std::string::npos) return caption == options.title;
        return caption.find(options.title.substr(0, star)) != std::string::npos;
    }
    case SpyOptions::Select::Class:
        return windowClass == options.className;
    default:
        return true;
    }
}

}  // namespace spy
