#pragma once

#include "model/catalog.h"

#include <functional>
#include <string>

class QDialog;
class QWidget;

namespace talvex {

class DialogSet;
class Document;

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
