#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "Bound.h"
#include "ControlIds.h"
#include "InitialContent.h"
#include "PageHost.h"
#include "Refusal.h"
#include "SettingFields.h"
#include "Text.h"

namespace ovantis {

// How a field's value is read: a check box, a whole number, a number, text;
// or, on the command line only, a LOW..HIGH pair over two settings; or, in
// the window only, a line the page writes and never reads.
enum class FieldKind { Check, Whole, Number, Text, WholeRange, NumberRange, Note };
enum class FieldScope { Both, WindowOnly, CliOnly };
// What the window shows for a control.
enum class ControlKind { Check, Field, DigitsField, Choice, Output, Button, Label };

// A control's rectangle on its page, in dialog units of the page's font.
struct Place {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};

// A label the window shows beside a field.
struct Caption {
    Text text;
    Place at{};
};

// The page's own controls besides its fields: results, Generate and Export.
struct PageControls {
    int output = 0;
    int generate = 0;
    int exportButton = 0;
    // The name Export proposes, in Chinese; the window translates it.
    const char* exportName = "";
};

// One row of a page's description: one setting as the window and the command
// line show it.
template <class Settings>
struct PageField {
    FieldKind kind = FieldKind::Check;
    FieldScope scope = FieldScope::Both;
    int control = ids::kNone;
    bool Settings::*check = nullptr;
    // A whole number, or a range's low end; high is the range's high end.
    std::int32_t Settings::*whole = nullptr;
    std::int32_t Settings::*wholeHigh = nullptr;
    Bound Settings::*number = nullptr;
    Bound Settings::*numberHigh = nullptr;
    std::string Settings::*text = nullptr;
    // The notice that refuses a number field whose text is not a number.
    const char* notice = nullptr;
    // The window reads the field only while this check is on, and greys it otherwise.
    bool Settings::*readWhile = nullptr;
    // Given on the command line, the option also turns this check on; one of
    // the page's choices only when none is given, as the only one.
    bool Settings::*turnsOn = nullptr;
    // One of the page's choices: given any, only those given are on.
    bool selects = false;
    // A range option that also takes one value for both ends.
    bool single = false;
    // CLI11 names ("-U,--upper") and value name; none for a window-only field.
    const char* names = nullptr;
    const char* valueName = nullptr;
    // The window's control: where it stands, and a check box's text or a
    // field's name for screen readers.
    Place at{};
    std::optional<Text> name{};
    // Labels at the field's left and at its right.
    std::optional<Caption> label{};
    std::optional<Caption> unit{};
    // Reached by Tab after the page's buttons, as it was added to the page last.
    bool tabLast = false;
    // Texts offered in the field's drop-down.
    std::span<const char* const> examples{};
    Text help;

    ControlKind controlKind() const {
        if (!examples.empty()) {
            return ControlKind::Choice;
        }
        return kind == FieldKind::Check   ? ControlKind::Check
               : kind == FieldKind::Whole ? ControlKind::DigitsField
               : kind == FieldKind::Note  ? ControlKind::Label
                                          : ControlKind::Field;
    }
    bool inWindow() const { return scope != FieldScope::CliOnly && control != ids::kNone; }
    bool onCommandLine() const { return scope != FieldScope::WindowOnly; }
};

// The page's one-value row that holds member; the first row when none does.
template <class Settings, class Member>
constexpr const PageField<Settings>& rowOf(std::span<const PageField<Settings>> fields,
                                           Member Settings::*member) {
    for (const PageField<Settings>& f : fields) {
        if constexpr (std::is_same_v<Member, bool>) {
            if (f.check == member) {
                return f;
            }
        } else if constexpr (std::is_same_v<Member, std::int32_t>) {
            if (f.kind == FieldKind::Whole && f.whole == member) {
                return f;
            }
        } else if constexpr (std::is_same_v<Member, Bound>) {
            if (f.kind == FieldKind::Number && f.number == member) {
                return f;
            }
        } else if (f.kind == FieldKind::Text && f.text == member) {
            return f;
        }
    }
    return fields.front();
}

// The long option of a row's command-line names ("-n,--count": "--count").
std::string longName(const char* names);

// The shortest text that reads back as value.
std::string shortestText(float value);

// target = value, out of line: inlined into a page without text fields, g++
// warns of a write beyond its settings on a path never taken.
void assignText(std::string& target, std::string value);

// The window's controls of the page that hold check boxes, or else text.
template <class Settings>
std::vector<int> windowControls(std::span<const PageField<Settings>> fields, bool checks) {
    std::vector<int> controls;
    for (const PageField<Settings>& f : fields) {
        if (f.inWindow() && (f.kind == FieldKind::Check) == checks) {
            controls.push_back(f.control);
        }
    }
    return controls;
}

// The window's start-up contents of the page's fields.
template <class Settings>
InitialContent initialContentOf(std::span<const PageField<Settings>> fields) {
    const Settings start;
    InitialContent content;
    for (const PageField<Settings>& f : fields) {
        if (!f.inWindow()) {
            continue;
        }
        if (f.kind == FieldKind::Check) {
            content.checks.emplace_back(f.control, start.*f.check);
        } else if (f.kind == FieldKind::Whole) {
            content.texts.emplace_back(f.control, std::to_string(start.*f.whole));
        } else if (f.kind == FieldKind::Number) {
            content.texts.emplace_back(f.control, shortestText((start.*f.number).single()));
        } else if (f.kind == FieldKind::Text && !(start.*f.text).empty()) {
            content.texts.emplace_back(f.control, start.*f.text);
        }
        if (f.readWhile != nullptr) {
            content.enabled.emplace_back(f.control, start.*f.readWhile);
        }
    }
    return content;
}

// The settings the window's fields hold, read as the page reads them;
// refused names the first number field whose text is no number.
template <class Settings>
Settings readFields(std::span<const PageField<Settings>> fields, PageHost& host, Refusal& refused) {
    Settings s;
    refused = {};
    const auto take = [&refused](const auto& value, const PageField<Settings>& f,
                                 const std::string& text, auto& target) {
        if (value) {
            target = *value;
        } else if (!refused) {
            refused = {.kind = Refusal::Kind::NotANumber,
                       .notice = f.notice,
                       .field = f.names,
                       .values = {longName(f.names), text}};
        }
    };
    for (const PageField<Settings>& f : fields) {
        if (!f.inWindow() || (f.readWhile != nullptr && !(s.*f.readWhile))) {
            continue;
        }
        if (f.kind == FieldKind::Check) {
            s.*f.check = host.checkState(f.control) != 0;
        } else if (f.kind == FieldKind::Whole) {
            const std::string text = host.getText(f.control);
            take(ReadIntField(text), f, text, s.*f.whole);
        } else if (f.kind == FieldKind::Number) {
            const std::string text = host.getText(f.control);
            take(Bound::read(text), f, text, s.*f.number);
        } else if (f.kind == FieldKind::Text) {
            assignText(s.*f.text, host.getText(f.control));
        }
    }
    return s;
}

// Greys or frees the fields read only while a check is on, as the checks stand.
template <class Settings>
void enableFields(std::span<const PageField<Settings>> fields, PageHost& host) {
    for (const PageField<Settings>& f : fields) {
        if (f.inWindow() && f.readWhile != nullptr) {
            for (const PageField<Settings>& g : fields) {
                if (g.kind == FieldKind::Check && g.check == f.readWhile && g.inWindow()) {
                    host.enable(f.control, host.checkState(g.control) != 0);
                }
            }
        }
    }
}

}  // namespace ovantis
