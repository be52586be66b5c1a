#include "WordList.h"

#include <functional>

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

Refusal WordList::read(std::string text, WordList& list) {
    list = WordList();
    // Offsets are 32-bit: a text past 4 GiB is beyond any list kept.
    if (text.size() > UINT32_MAX) {
        return {.kind = Refusal::Kind::TooManyWords, .values = {std::to_string(kMostWords)}};
    }
    list.m_text = std::move(text);
    const std::string_view all = list.m_text;
    // The words so far by hash, each as 1 + its index (0 is free): a few
    // bytes a word beside the text, where a set of strings would take dozens.
    std::vector<std::uint32_t> slots(64);
    const auto slotOf = [&](std::string_view word) -> std::uint32_t& {
        const std::size_t mask = slots.size() - 1;
        const std::size_t hash = std::hash<std::string_view>{}(word);
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            if (slots[i] == 0 || list.word(slots[i] - 1) == word) {
                return slots[i];
            }
        }
    };
    std::size_t line = 0;
    for (std::size_t at = 0; at < all.size();) {
        ++line;
        const std::size_t end = std::min(all.find('\n', at), all.size());
        std::string_view word = all.substr(at, end - at);
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
        std::uint32_t& slot = slotOf(word);
        if (slot != 0) {
            continue;
        }
        if (list.size() == kMostWords) {
            list = WordList();
            return {.kind = Refusal::Kind::TooManyWords, .values = {std::to_string(kMostWords)}};
        }
        list.m_starts.push_back(static_cast<std::uint32_t>(word.data() - all.data()));
        list.m_lengths.push_back(static_cast<std::uint16_t>(word.size()));
        list.m_longest = std::max(list.m_longest, word.size());
        slot = static_cast<std::uint32_t>(list.size());
        // At most half full, so a search ends soon.
        if (list.size() * 2 > slots.size()) {
            slots.assign(slots.size() * 2, 0);
            for (std::size_t i = 0; i < list.size(); ++i) {
                slotOf(list.word(i)) = static_cast<std::uint32_t>(i + 1);
            }
        }
    }
    if (list.size() == 0) {
        return {.kind = Refusal::Kind::NoWords};
    }
    return {};
}

}  // namespace ovantis
