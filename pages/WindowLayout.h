#pragma once

#include <optional>
#include <span>
#include <vector>

#include "PageField.h"

namespace ovantis {

// One control of a page window, as the window builds it.
struct WindowControl {
    ControlKind kind = ControlKind::Label;
    int id = ids::kNone;
    Place at{};
    // Shown on a check box, button or label.
    std::optional<Text> text{};
    // A field's name for screen readers.
    std::optional<Text> name{};
    // The field a label names.
    int buddy = ids::kNone;
    // Texts a drop-down offers.
    std::span<const char* const> examples{};
};

// The page's controls in tab order, then its labels: the rows' fields and
// the results box and buttons every page has at the same place.
template <class Settings>
std::vector<WindowControl> windowLayout(std::span<const PageField<Settings>> fields,
                                        const PageControls& page) {
    std::vector<WindowControl> controls;
    std::vector<WindowControl> late;
    std::vector<WindowControl> labels;
    for (const PageField<Settings>& f : fields) {
        if (!f.inWindow()) {
            continue;
        }
        const ControlKind kind = f.controlKind();
        WindowControl c{.kind = kind, .id = f.control, .at = f.at, .examples = f.examples};
        (kind == ControlKind::Check ? c.text : c.name) = f.name;
        (f.tabLast ? late : controls).push_back(c);
        for (const std::optional<Caption>& caption : {f.label, f.unit}) {
            if (caption) {
                labels.push_back({.at = caption->at, .text = caption->text, .buddy = f.control});
            }
        }
    }
    controls.push_back({.kind = ControlKind::Output,
                        .id = page.output,
                        .at = {16, 78, 249, 140},
                        .name = Text{"结果输出", "Results"}});
    controls.push_back({.kind = ControlKind::Button,
                        .id = page.generate,
                        .at = {274, 187, 49, 14},
                        .text = Text{"生成", "Generate"}});
    controls.push_back({.kind = ControlKind::Button,
                        .id = page.exportButton,
                        .at = {274, 204, 49, 14},
                        .text = Text{"导出", "Export"}});
    labels.push_back(
        {.at = {16, 67, 41, 8}, .text = Text{"结果输出：", "Results:"}, .buddy = page.output});
    controls.insert(controls.end(), late.begin(), late.end());
    controls.insert(controls.end(), labels.begin(), labels.end());
    return controls;
}

}  // namespace ovantis
