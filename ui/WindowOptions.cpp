#include "WindowOptions.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "Printable.h"
#include "ReasonText.h"
#include "Version.h"

using ovantis::Language;
using ovantis::Text;

namespace {

// QGuiApplication's, QApplication's and the X11 plugin's own options, which
// they read with one dash or two, and a value only as the next argument.
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

constexpr Text kUnexpected{"多余的参数 '%1'", "unexpected argument '%1'"};
constexpr Text kLangNeedsValue{"选项 '--lang' 需要取值：zh 或 en",
                               "option '--lang' needs a value: zh or en"};
constexpr Text kUnknownLanguage{"未知的 --lang 语言 '%1'：请用 zh 或 en",
                                "unknown language '%1' for --lang: use zh or en"};
constexpr Text kNeedsValue{"选项 '%1' 需要取值", "option '%1' needs a value"};
constexpr Text kValueApart{"选项 '%1' 的取值须作为下一个参数：%2 %3",
                           "option '%1' takes its value as the next argument: %2 %3"};
constexpr Text kUnknownOption{"未知选项 '%1'", "unknown option '%1'"};
constexpr Text kWriteError{"写入出错：%1", "write error: %1"};
constexpr Text kTryHelp{"运行 'ovantis --help' 查看用法。", "Try 'ovantis --help'."};
constexpr Text kHelp{
    "用法：ovantis [--lang zh|en]\n"
    "%1。\n"
    "不带选项时打开窗口。\n"
    "\n"
    "选项：\n"
    "  -h, --help       显示本帮助并退出\n"
    "  -v, --version    显示版本并退出\n"
    "  --lang zh|en     本次运行的窗口语言（默认：按区域设置）\n"
    "\n"
    "也接受 Qt 自己的选项，如 -platform 和 -style（取值作为下一个参数）。\n",
    "Usage: ovantis [--lang zh|en]\n"
    "%1.\n"
    "With no options, opens the window.\n"
    "\n"
    "Options:\n"
    "  -h, --help       show this help and exit\n"
    "  -v, --version    show the version and exit\n"
    "  --lang zh|en     the window's language for this run (default: from the locale)\n"
    "\n"
    "Qt's own options, such as -platform and -style, are accepted too (each value\n"
    "as the next argument).\n"};

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
    const auto fail = [&options](const Text& why, std::vector<std::string> values = {}) {
        options.action = Action::Usage;
        options.m_error = &why;
        for (std::string& value : values) {
            value = ovantis::sys::printable(value);
        }
        options.m_values = std::move(values);
        return options;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            if (i + 1 < args.size()) {
                return fail(kUnexpected, {args[i + 1]});
            }
            break;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            return fail(kUnexpected, {arg});
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
                return fail(kLangNeedsValue);
            }
            const std::string value =
                equals != std::string::npos ? arg.substr(equals + 1) : args[++i];
            options.language = lower(value);
            if (options.language != "zh" && options.language != "en") {
                return fail(kUnknownLanguage, {value});
            }
            continue;
        }
        const std::string_view bare =
            std::string_view(name).substr(name.compare(0, 2, "--") == 0 ? 2 : 1);
        if (listed(kQtValued, bare)) {
            // Qt takes "-platform=x" for an unknown word and starts as if it
            // had not been given.
            if (equals != std::string::npos) {
                return fail(kValueApart, {arg, name, arg.substr(equals + 1)});
            }
            if (++i == args.size()) {
                return fail(kNeedsValue, {arg});
            }
            continue;
        }
        if (equals == std::string::npos && listed(kQtFlags, bare)) {
            continue;
        }
        return fail(kUnknownOption, {arg});
    }
    options.action = help ? Action::Help : version ? Action::Version : Action::Run;
    return options;
}

std::string WindowOptions::error(Language language) const {
    if (m_error == nullptr) {
        return {};
    }
    return m_error->fill(language, m_values) + '\n' + kTryHelp.in(language);
}

std::string WindowOptions::writeError(Language language, int error) {
    return kWriteError.fill(language, {ovantis::sys::systemWords(error, language)});
}

std::string WindowOptions::helpText(Language language) {
    return kHelp.fill(language, {ovantis::version::kSummary.in(language)});
}
