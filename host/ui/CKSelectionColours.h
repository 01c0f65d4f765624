#pragma once

class QAbstractItemView;

namespace kelo {

// Gives a list or tree the selection colours of a pane without the focus: a grey bar with the
// normal text colour in the inactive colour group, which the view paints with while another
// control has the focus (the view clears the active state of its items then). The pane with the
// focus keeps the highlight colour, so the user sees where the keys go.
void UseFocusSelectionColours(QAbstractItemView* view);

}  // namespace kelo
