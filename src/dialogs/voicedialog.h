#pragma once

#include "dialogs/dialogframe.h"

#include <string>
#include <vector>

class QComboBox;

namespace talvex {

class TFormVOICEX : public DialogFrame {
    Q_OBJECT
  public:
    // The phrases (GBK) are fixed for the dialog's life; item k is phrase k.
    explicit TFormVOICEX(const std::vector<std::string>& phrases, QWidget* parent = nullptr);
    QComboBox* ComboBox1() const { return m_phrases; }

  private:
    QComboBox* m_phrases;
};

} // namespace talvex
