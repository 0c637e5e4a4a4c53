#pragma once

#include "dialogs/dialogframe.h"
#include "model/catalog.h"

#include <string>
#include <vector>

class QLineEdit;

namespace talvex {

// The description of a dialog whose only control is the single-line field
// Edit1, one per kind that has one; the class name is the kind's row's.
struct TextDialogSpec {
    TBlockKind kind;
    const char* captionUtf8;
    int clientHeight;
    int panelHeight;
    const char* labelUtf8;
    int editX;
    int editY;
    int editWidth;
    int buttonsY;
    const char* hintUtf8; // nullptr: no hint line
};

// The dialog of a kind without parameters: only "取消" and "删除", titled
// with the kind caption. One per such catalog row.
struct PlainDialogSpec {
    const char* className;
    std::string captionUtf8;
};

const std::vector<TextDialogSpec>& TextDialogSpecs();
const std::vector<PlainDialogSpec>& PlainDialogSpecs();
const TextDialogSpec* FindTextDialogSpec(const char* className);
// The dialog class of a text dialog, from its kind's row.
const char* DialogClass(const TextDialogSpec& desc);
const PlainDialogSpec* FindPlainDialogSpec(const char* className);

class TextParamDialog : public DialogFrame {
    Q_OBJECT
  public:
    TextParamDialog(const TextDialogSpec& desc, QWidget* parent = nullptr);
    QLineEdit* Edit1() const { return m_edit; }

  private:
    QLineEdit* m_edit;
};

class PlainDialog : public DialogFrame {
    Q_OBJECT
  public:
    PlainDialog(const PlainDialogSpec& desc, QWidget* parent = nullptr);
};

} // namespace talvex
