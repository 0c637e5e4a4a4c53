#include "dialogs/textdialogs.h"

#include "model/gbk.h"

#include <QLabel>
#include <QLineEdit>

#include <cstring>

namespace talvex {

const std::vector<TextDialogSpec>& TextDialogSpecs()
{
    static const std::vector<TextDialogSpec> specs = {
        {bkBiaoDaShi, u8"表达式或者语句", 151, 105, u8"表达式或者语句:", 18, 42, 255, 120,
         u8"请填写一行符合语法的语句。"},
        {bkLoopBegin, u8"多次循环头", 97, 49, u8"循环次数:", 96, 10, 85, 64, nullptr},
        {bkWhileBegin, u8"条件循环头", 97, 49, u8"循环条件:", 96, 10, 85, 64, nullptr},
        {bkIfBegin, u8"如果", 97, 49, u8"判断条件:", 96, 10, 85, 64, nullptr},
        {bkIfElseIf, u8"否则如果", 97, 49, u8"判断条件:", 96, 10, 85, 64, nullptr},
        {bkSubBegin, u8"子程序开始", 97, 49, u8"子程序名称:", 114, 10, 85, 64, nullptr},
        {bkGOSUB, u8"调用子程序", 97, 49, u8"调用子程序名称:", 162, 10, 85, 64, nullptr},
    };
    return specs;
}

const char* DialogClass(const TextDialogSpec& desc)
{
    return FindBlockKind(desc.kind)->dialog;
}

const std::vector<PlainDialogSpec>& PlainDialogSpecs()
{
    static const std::vector<PlainDialogSpec> specs = [] {
        std::vector<PlainDialogSpec> plain;
        for (const BlockInfo& kind : BlockCatalog()) {
            if (kind.dialog[0] != '\0' && kind.params.empty())
                plain.push_back({kind.dialog, FromGbk(kind.caption).toStdString()});
        }
        return plain;
    }();
    return specs;
}

const TextDialogSpec* FindTextDialogSpec(const char* className)
{
    for (const TextDialogSpec& desc : TextDialogSpecs()) {
        if (std::strcmp(DialogClass(desc), className) == 0)
            return &desc;
    }
    return nullptr;
}

const PlainDialogSpec* FindPlainDialogSpec(const char* className)
{
    for (const PlainDialogSpec& desc : PlainDialogSpecs()) {
        if (std::strcmp(desc.className, className) == 0)
            return &desc;
    }
    return nullptr;
}

TextParamDialog::TextParamDialog(const TextDialogSpec& desc, QWidget* parent)
    : DialogFrame(DialogClass(desc), desc.captionUtf8,
                  FrameGeometry{313, desc.clientHeight, 297, desc.panelHeight, desc.buttonsY}, parent),
      m_edit(new QLineEdit(Panel()))
{
    AddLabel(desc.labelUtf8, 16, 13, "Label1");
    m_edit->setObjectName("Edit1");
    m_edit->setGeometry(desc.editX, desc.editY, desc.editWidth, 24);
    if (desc.hintUtf8) {
        QLabel* hint = AddLabel(desc.hintUtf8, 16, 80, "Label2");
        hint->setFont(DialogFont(13));
        hint->adjustSize();
    }
}

PlainDialog::PlainDialog(const PlainDialogSpec& desc, QWidget* parent)
    : DialogFrame(desc.className, desc.captionUtf8.c_str(), FrameGeometry{194, 40, 0, 0, 7, false}, parent)
{
}

} // namespace talvex
