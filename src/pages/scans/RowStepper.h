#pragma once

namespace kelo {

// How the detail viewers step through their page's list: which of First, Previous, Next and
// Last are enabled, and which row each one takes. Plain numbers, so both viewers share the rules
// and tests reach them without a window.
struct RowStepper {
    enum class Step { First, Previous, Next, Last };

    bool first = false;
    bool previous = false;
    bool next = false;
    bool last = false;

    // Button states for the selected row (-1 = none) of a list of `count` rows.
    static RowStepper States(int selected, int count);
    // The row a step takes, or -1 when the step does nothing.
    static int Target(Step step, int selected, int count);
};

}  // namespace kelo
