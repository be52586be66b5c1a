#include "WindowOptions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

// QGuiApplication's, QApplication's and the X11 plugin's own options, which
// they accept with one dash or two.
constexpr std::array<std::string_view, 17> kQtValued = {"platform",
                                                        "platformpluginpath",
                                                        "platformtheme",
                                                        "plugin",
                                                        "qwindowgeometry",
                                                        "geometry",
                                                        "qwindowtitle",
                                                        "title",
                                                        "qwindowicon",
                                                        "icon",
                                                        "session",
                                                        "style",
                                                        "stylesheet",
                                                        "display",
                                                        "name",
                                                        "visual",
                                                        "qmljsdebugger"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "widgetcount", "nograb",
                                                      "dograb",  "sync",        "testability"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

WindowOptions WindowOptions::parse(const std::vector<std::string>& args) {
    WindowOptions options;
    bool help = false;
    bool version = false;
    const auto fail = [&options](std::string why) {
        options.action = Action::Usage;
        options.error = std::move(why);
        return options;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            if (i + 1 < args.size()) {
                return fail("unexpected argument '" + args[i + 1] + "'");
            }
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            return fail("unexpected argument '" + arg + "'");
        }
        if (arg == "-h" || arg == "-?" || arg == "--help" || arg == "--help-all") {
            help = true;
            continue;
        }
        if (arg == "-v" || arg == "--version") {
            version = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        if (name == "--lang") {
            if (equals == std::string::npos && i + 1 == args.size()) {
                return fail("option '--lang' needs a value: zh or en");
            }
            const std::string value =
                equals != std::string::npos ? arg.substr(equals + 1) : args[++i];
            options.language = lower(value);
            if (options.language != "zh" && options.language != "en") {
                return fail("unknown language '" + value + "' for --lang: use zh or en");
            }
            continue;
        }
        const std::string_view bare =
            std::string_view(name).substr(name.compare(0, 2, "--") == 0 ? 2 : 1);
        if (listed(kQtValued, bare)) {
            if (equals == std::string::npos && ++i == args.size()) {
                return fail("option '" + arg + "' needs a value");
            }
            continue;
        }
        if (equals == std::string::npos && listed(kQtFlags, bare)) {
            continue;
        }
        return fail("unknown option '" + arg + "'");
    }
    options.action = help ? Action::Help : version ? Action::Version : Action::Run;
    return options;
}

std::string WindowOptions::helpText() {
    return "Usage: ovantis [--lang zh|en]\n"
           "Random test data by hand: strings, numbers and timed events.\n"
           "With no options, opens the window.\n"
           "\n"
           "Options:\n"
           "  -h, --help       show this help and exit\n"
           "  -v, --version    show the version and exit\n"
           "  --lang zh|en     the window's language for this run (default: from the locale)\n"
           "\n"
           "Qt's own options, such as -platform and -style, are accepted too.\n";
}
