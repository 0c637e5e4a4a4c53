#include "dialogs/boundcontrols.h"

#include "dialogs/controls.h"
#include "dialogs/hardwaredialogs.h"
#include "dialogs/melodydialog.h"
#include "model/gbk.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>

namespace talvex {

namespace {

bool Takes(QObject* control, ControlAccess access)
{
    switch (access) {
    case ControlAccess::ItemIndex:
        return qobject_cast<RadioGroup*>(control) || qobject_cast<QComboBox*>(control);
    case ControlAccess::ClampedIndex:
        return qobject_cast<QComboBox*>(control);
    case ControlAccess::Position:
        return qobject_cast<QScrollBar*>(control);
    case ControlAccess::Text:
        return qobject_cast<QLineEdit*>(control);
    case ControlAccess::Checked:
        return qobject_cast<QAbstractButton*>(control);
    case ControlAccess::LedMask:
        return qobject_cast<TFormLED*>(control);
    case ControlAccess::PinMask:
        return qobject_cast<PinMaskDialog*>(control);
    case ControlAccess::Notes:
    case ControlAccess::ApplyRange:
        return qobject_cast<TFormFaYin*>(control);
    }
    return false;
}

} // namespace

Result<BoundControls> BindControls(QDialog& dialog, const std::vector<ControlBinding>& bindings)
{
    BoundControls bound;
    bound.reserve(bindings.size());
    for (const ControlBinding& binding : bindings) {
        QObject* control = binding.control ? dialog.findChild<QObject*>(QString::fromLatin1(binding.control)) : &dialog;
        if (!control || !Takes(control, binding.access)) {
            return Status::Failure(Gbk(u8"对话框") + ToGbk(dialog.objectName()) + Gbk(u8"没有可用的控件") +
                                   (binding.control ? std::string(binding.control) : Gbk(u8"(对话框本身)")));
        }
        bound.push_back({&binding, control});
    }
    return bound;
}

} // namespace talvex
