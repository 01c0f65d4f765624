#include "src/pages/scans/RowStepper.h"

namespace kelo {

RowStepper RowStepper::States(int selected, int count)
{
    RowStepper s;
    s.next = selected >= 0 && selected < count - 1;
    s.previous = selected > 0;
    s.first = count >= 2;
    s.last = count >= 2;
    return s;
}

int RowStepper::Target(Step step, int selected, int count)
{
    switch (step) {
    case Step::First:
        return count > 0 ? 0 : -1;
    case Step::Previous:
        return selected > 0 && selected < count ? selected - 1 : -1;
    case Step::Next:
        return selected >= 0 && selected < count - 1 ? selected + 1 : -1;
    case Step::Last:
        return count > 0 ? count - 1 : -1;
    }
    return -1;
}

}  // namespace kelo
