#include "dialogs/voicedialog.h"

#include "model/gbk.h"

#include <QComboBox>
#include <QLabel>

namespace talvex {

TFormVOICEX::TFormVOICEX(const std::vector<std::string>& phrases, QWidget* parent)
    : DialogFrame("TFormVOICEX", u8"语音模块", FrameGeometry{313, 175, 297, 129, 144}, parent)
{
    AddLabel(u8"语音: ", 16, 13, "Label1");
    m_phrases = new QComboBox(Panel());
    m_phrases->setObjectName("ComboBox1");
    m_phrases->setGeometry(72, 10, 209, 24);
    m_phrases->setMaxVisibleItems(20);
    for (const std::string& phrase : phrases)
        m_phrases->addItem(FromGbkField(phrase));
    m_phrases->setCurrentIndex(m_phrases->count() > 0 ? 0 : -1);
    AddLabel(u8"带(*)表示:\n在男声模块中发音为女声,\n在女声模块中发音为男声.", 16, 46, "Label2");
}

} // namespace talvex
