#include "WordList.h"

#include <unordered_set>

#include "CharacterSet.h"
#include "Utf8.h"

namespace ovantis {

// The built-in list's words, one a line; made at build time from res/words.
extern const char* const kBuiltInWords;

namespace {

// A word prints as itself between separators: UTF-8 without spaces or controls.
bool isWord(std::string_view text) {
    if (text.empty() || text.size() > 255) {
        return false;
    }
    for (std::size_t at = 0; at < text.size();) {
        char32_t point = 0;
        const std::size_t length = decodeUtf8(text.substr(at), point);
        if (length == 0 || point == U' ' || point == U'\u3000' || CharacterSet::breaksLine(point)) {
            return false;
        }
        at += length;
    }
    return true;
}

}  // namespace

const WordList& WordList::builtIn() {
    static const WordList list = [] {
        WordList made;
        read(kBuiltInWords, made);
        return made;
    }();
    return list;
}

Refusal WordList::read(std::string_view text, WordList& list) {
    list = WordList();
    // Offsets are 32-bit: a text past 4 GiB is beyond any list kept.
    if (text.size() > UINT32_MAX) {
        return {.kind = Refusal::Kind::TooManyWords, .values = {std::to_string(kMostWords)}};
    }
    list.m_text.assign(text);
    std::unordered_set<std::string_view> seen;
    std::size_t line = 0;
    for (std::size_t at = 0; at < text.size();) {
        ++line;
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view word = text.substr(at, end - at);
        at = end + 1;
        if (word.ends_with('\r')) {
            word.remove_suffix(1);
        }
        if (word.empty()) {
            continue;
        }
        if (!isWord(word)) {
            list = WordList();
            return {.kind = Refusal::Kind::BadWord, .values = {std::to_string(line)}};
        }
        if (!seen.insert(word).second) {
            continue;
        }
        if (list.size() == kMostWords) {
            list = WordList();
            return {.kind = Refusal::Kind::TooManyWords, .values = {std::to_string(kMostWords)}};
        }
        list.m_starts.push_back(static_cast<std::uint32_t>(word.data() - text.data()));
        list.m_lengths.push_back(static_cast<std::uint16_t>(word.size()));
        list.m_longest = std::max(list.m_longest, word.size());
    }
    if (list.size() == 0) {
        return {.kind = Refusal::Kind::NoWords};
    }
    return {};
}

}  // namespace ovantis
