#pragma once

#include "model/catalog.h"
#include "model/status.h"

#include <vector>

class QDialog;
class QObject;

namespace talvex {

// A control binding of a catalog row, resolved on its dialog: the control
// exists and is of the type its access reads and sets.
struct BoundControl {
    const ControlBinding* binding;
    QObject* control; // the dialog itself for a binding without a control name
};
using BoundControls = std::vector<BoundControl>;

// Resolves every binding on the dialog, in order. Fails naming the first
// control that is missing or cannot take its access.
Result<BoundControls> BindControls(QDialog& dialog, const std::vector<ControlBinding>& bindings);

} // namespace talvex
