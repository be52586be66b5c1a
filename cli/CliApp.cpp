#include "CliApp.h"

#include <new>
#include <system_error>

#include "CliTexts.h"
#include "Commands.h"
#include "Destination.h"
#include "LocaleStreambuf.h"
#include "Messages.h"
#include "ReasonText.h"
#include "RedrawLimit.h"
#include "Request.h"
#include "Signals.h"

namespace ovantis::cli {
namespace {

int print(const std::string& text, std::ostream& out, std::ostream& err, Language language,
          const sys::LocaleText& encoding) {
    out << encoding.convert(text);
    out.flush();
    return out ? kExitOk : reportWriteError(out, err, {}, language);
}

int runIn(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
          const KeySource& keys, const RandomSource::Clock& clock,
          const sys::LocaleText& encoding) {
    const Language language = runLanguage(encoding);
    try {
        const ParseOutcome parsed = parseRequest(args, language);
        switch (parsed.kind) {
            case ParseOutcome::Kind::Print:
                return print(parsed.text, out, err, language, encoding);
            case ParseOutcome::Kind::UsageError:
                err << "ovantis-cli: " << parsed.text << '\n';
                return kExitUsage;
            case ParseOutcome::Kind::Run:
                break;
        }
        return runRequest(parsed.request, keys, clock, out, err, language, encoding);
    } catch (const std::system_error& e) {
        // The secure source without its key: no run, never a weaker key.
        if (const int signal = sys::Signals::stopSignal()) {
            return 128 + signal;
        }
        err << "ovantis-cli: " << texts::kNoRandomSource.in(language) << ": "
            << sys::systemWords(e.code().value(), language) << '\n';
        return kExitIo;
    } catch (const RedrawLimit& e) {
        err << "ovantis-cli: "
            << (e.classicSource() ? texts::kGaveUpClassic : texts::kGaveUp).in(language) << '\n';
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        // Unwinding has discarded the result file's new content.
        err << "ovantis-cli: " << texts::kOutOfMemory.in(language) << '\n';
        return kExitIo;
    }
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, KeySource keys,
        RandomSource::Clock clock) {
    // Messages in the locale's encoding; generated lines as they are.
    const sys::LocaleText encoding;
    if (!encoding.converts()) {
        return runIn(args, out, err, keys, clock, encoding);
    }
    LocaleStreambuf errBuffer(err, encoding);
    std::ostream localErr(&errBuffer);
    return runIn(args, out, localErr, keys, clock, encoding);
}

}  // namespace ovantis::cli
