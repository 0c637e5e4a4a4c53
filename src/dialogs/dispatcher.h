#pragma once

#include "model/catalog.h"

#include <functional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

namespace talvex {

class DialogSet;
class Document;

// How a parameter reaches its control and comes back.
enum class ControlAccess {
    ItemIndex,    // radio group or drop-down list; -1 for no choice
    ClampedIndex, // drop-down list; a stored index is brought into its items
    Position,     // scroll bar
    Text,         // single-line edit
    Checked,      // check box
    LedMask,      // TFormLED::ShowLedMask / ReadLedMask
    PinMask,      // ShowPinMask / ReadPinMask
    Notes,        // TFormFaYin::LoadNotes / JoinNotes
    ApplyRange,   // TFormFaYin::ApplyRange, after the values are in
};

struct ControlBinding {
    const char* param;   // parameter name; nullptr for a step without a value
    const char* control; // objectName of the control; nullptr: the dialog itself
    ControlAccess access;
};

// One row per kind with parameters: what is set before showing, in order.
// After "确定" every parameter of the kind's catalog row is written, in the
// catalog's order, from the control bound to it here. The dialog comes from
// the catalog; kinds whose catalog row has a dialog but no parameters need no
// row: they can only be cancelled or deleted.
struct DispatchRow {
    TBlockKind kind;
    std::vector<ControlBinding> in;
    const char* captionControl; // the control whose shown text the caption rule takes; nullptr: none
};

const std::vector<DispatchRow>& DispatchTable();
const DispatchRow* FindDispatchRow(int32_t kindCode);

// The double-click handler of the canvas: opens the selected block's dialog
// with the block's parameters and writes them back through the document.
class PropertyDispatcher {
  public:
    PropertyDispatcher(Document& document, DialogSet& dialogs, QWidget* messageParent = nullptr);

    // dxFlowChart1DblClick.
    void EditBlockProperties();

    // Shows a dialog modally and returns its result (exec() unless replaced).
    std::function<int(QDialog& dialog)> ShowModal;
    // Reports a node that cannot be read (a message box unless replaced).
    std::function<void(const std::string& gbkMessage)> ShowMessage;

  private:
    Document& m_document;
    DialogSet& m_dialogs;
    QWidget* m_messageParent;
};

} // namespace talvex
