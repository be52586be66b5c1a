#pragma once

// One control of a page template, positioned in dialog units. Its texts are
// Chinese sources, translated in the "Pages" context.
struct ControlLayout {
    enum class Kind { Check, Field, DigitsField, Output, Button, Label };

    int id;  // 0 for labels
    Kind kind;
    int x, y, w, h;
    const char* text;
    const char* accessibleName;  // for fields: the label at their left
    int buddy = 0;               // for labels: the field they name
};
