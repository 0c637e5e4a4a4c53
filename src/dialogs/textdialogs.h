#pragma once

#include "dialogs/dialogframe.h"

#include <vector>

class QLineEdit;

namespace talvex {

// One row per dialog whose only control is the single-line field Edit1.
struct TextDialogSpec {
    const char* className;
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

// One row per dialog of a kind without parameters: only "取消" and "删除".
struct PlainDialogSpec {
    const char* className;
    const char* captionUtf8;
};

const std::vector<TextDialogSpec>& TextDialogSpecs();
const std::vector<PlainDialogSpec>& PlainDialogSpecs();
const TextDialogSpec* FindTextDialogSpec(const char* className);
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
