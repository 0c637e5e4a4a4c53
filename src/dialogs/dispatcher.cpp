#include "dialogs/dispatcher.h"

#include "dialogs/boundcontrols.h"
#include "dialogs/controls.h"
#include "dialogs/dialogset.h"
#include "dialogs/hardwaredialogs.h"
#include "dialogs/melodydialog.h"
#include "model/canvas.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "project/document.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

namespace talvex {

namespace {

using A = ControlAccess;

// A parameter's value on its way between node and control: integers and
// flags as numbers, texts as the bytes the user sees.
struct Value {
    int32_t number = 0;
    std::string text;
};

bool IsSubName(const ParamSpec& paramSpec)
{
    return paramSpec.cls == ParamClass::Text && paramSpec.name == "sub";
}

Value ReadParam(const CtrlNode& node, const ParamSpec& paramSpec)
{
    Value value;
    switch (paramSpec.cls) {
    case ParamClass::Integer:
        value.number = IntParam(node, paramSpec.name);
        break;
    case ParamClass::Flag:
        value.number = FlagParam(node, paramSpec.name) ? 1 : 0;
        break;
    case ParamClass::Text: {
        const std::string stored = TextParam(node, paramSpec.name);
        value.text = IsSubName(paramSpec) && !stored.empty() ? UnescapeSubName(stored) : stored;
        break;
    }
    case ParamClass::EscapedText: {
        const std::string stored = TextParam(node, paramSpec.name);
        value.text = stored.empty() ? stored : UnescapeValueText(stored);
        break;
    }
    }
    return value;
}

void WriteParam(CtrlNode& node, const ParamSpec& paramSpec, const Value& value)
{
    switch (paramSpec.cls) {
    case ParamClass::Integer:
        AddIntParam(node, paramSpec.name, value.number);
        break;
    case ParamClass::Flag:
        AddFlagParam(node, paramSpec.name, value.number != 0);
        break;
    case ParamClass::Text:
        AddTextParam(node, paramSpec.name,
                     IsSubName(paramSpec) && !value.text.empty() ? EscapeSubName(value.text) : value.text);
        break;
    case ParamClass::EscapedText:
        AddTextParam(node, paramSpec.name, value.text.empty() ? value.text : EscapeValueText(value.text));
        break;
    }
}

void SetControl(const BoundControl& bound, const Value& value)
{
    QObject* control = bound.control;
    switch (bound.binding->access) {
    case A::ItemIndex:
        if (auto* group = qobject_cast<RadioGroup*>(control))
            group->SetItemIndex(value.number);
        else if (auto* box = qobject_cast<QComboBox*>(control))
            SetListIndex(box, value.number);
        break;
    case A::ClampedIndex:
        if (auto* box = qobject_cast<QComboBox*>(control); box && box->count() > 0)
            box->setCurrentIndex(std::clamp(value.number, 0, box->count() - 1));
        break;
    case A::Position:
        if (auto* bar = qobject_cast<QScrollBar*>(control))
            bar->setValue(value.number);
        break;
    case A::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            edit->setText(FromGbkField(value.text));
        break;
    case A::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setChecked(value.number != 0);
        break;
    case A::LedMask:
        if (auto* led = qobject_cast<TFormLED*>(control))
            led->ShowLedMask(value.number);
        break;
    case A::PinMask:
        if (auto* pins = qobject_cast<PinMaskDialog*>(control))
            pins->ShowPinMask(value.number);
        break;
    case A::Notes:
        if (auto* melody = qobject_cast<TFormFaYin*>(control))
            melody->LoadNotes(value.text);
        break;
    case A::ApplyRange:
        if (auto* melody = qobject_cast<TFormFaYin*>(control))
            melody->ApplyRange();
        break;
    }
}

Value ReadControl(const BoundControl& bound)
{
    Value value;
    QObject* control = bound.control;
    switch (bound.binding->access) {
    case A::ItemIndex:
    case A::ClampedIndex:
        if (auto* group = qobject_cast<RadioGroup*>(control))
            value.number = group->ItemIndex();
        else if (auto* box = qobject_cast<QComboBox*>(control))
            value.number = box->currentIndex();
        break;
    case A::Position:
        if (auto* bar = qobject_cast<QScrollBar*>(control))
            value.number = bar->value();
        break;
    case A::Text:
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            value.text = ToGbk(edit->text());
        break;
    case A::Checked:
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            value.number = button->isChecked() ? 1 : 0;
        break;
    case A::LedMask:
        if (auto* led = qobject_cast<TFormLED*>(control))
            value.number = led->ReadLedMask();
        break;
    case A::PinMask:
        if (auto* pins = qobject_cast<PinMaskDialog*>(control))
            value.number = pins->ReadPinMask();
        break;
    case A::Notes:
        if (auto* melody = qobject_cast<TFormFaYin*>(control))
            value.text = melody->JoinNotes();
        break;
    case A::ApplyRange:
        break;
    }
    return value;
}

const BoundControl* BindingOf(const BoundControls& controls, const std::string& param)
{
    for (const BoundControl& bound : controls) {
        if (bound.binding->param && param == bound.binding->param)
            return &bound;
    }
    return nullptr;
}

// How the dialog names phrase index: the item of the list bound to the
// caption's parameter, as it shows it; nothing for no item.
std::string ListItemText(const BoundControls& controls, const char* param, int32_t index)
{
    const BoundControl* bound = param ? BindingOf(controls, param) : nullptr;
    auto* box = bound ? qobject_cast<QComboBox*>(bound->control) : nullptr;
    return box ? ToGbk(box->itemText(index)) : std::string();
}

} // namespace

PropertyDispatcher::PropertyDispatcher(Document& document, DialogSet& dialogs, QWidget* messageParent)
    : m_document(document), m_dialogs(dialogs), m_messageParent(messageParent)
{
    ShowModal = [](QDialog& dialog) { return dialog.exec(); };
    ShowMessage = [this](const std::string& message) {
        QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), FromGbk(message),
                        QMessageBox::Ok, m_messageParent);
        box.exec();
    };
}

void PropertyDispatcher::EditBlockProperties()
{
    CanvasModel& canvas = m_document.Canvas();
    if (canvas.SelectedCount() == 0)
        return;
    FcObject* object = canvas.SingleSelection();
    if (!object)
        return;
    const BlockInfo* kind = FindBlockKind(object->TypeCode);
    if (!kind || !kind->isBlock || kind->dialog[0] == '\0')
        return;
    QDialog* dialog = m_dialogs.Find(QString::fromLatin1(kind->dialog));
    if (!dialog)
        return;

    if (kind->params.empty()) {
        if (ShowModal(*dialog) == mrDelete)
            m_document.DeleteBlock(object);
        return;
    }
    const BoundControls* controls = m_dialogs.Controls(kind->code);
    if (!controls)
        return;

    if (object->CtrlNodeText.empty())
        object->CtrlNodeText = DefaultCtrlNode(kind->code);
    const Result<XmlElement> parsed = ParseCtrlNode(object->CtrlNodeText);
    if (!parsed) {
        ShowMessage(parsed.Message());
        return;
    }
    const CtrlNode& node = *parsed;
    for (const BoundControl& bound : *controls) {
        Value value;
        if (const char* param = bound.binding->param) {
            const auto paramSpec = std::find_if(kind->params.begin(), kind->params.end(),
                                                [&](const ParamSpec& p) { return p.name == param; });
            if (paramSpec == kind->params.end())
                continue;
            value = ReadParam(node, *paramSpec);
        }
        SetControl(bound, value);
    }

    const int result = ShowModal(*dialog);
    if (result == mrDelete) {
        m_document.DeleteBlock(object);
        return;
    }
    if (result != mrOk)
        return;

    CtrlNode written = NewCtrlNode(kind->item);
    for (const ParamSpec& paramSpec : kind->params) {
        const BoundControl* bound = BindingOf(*controls, paramSpec.name);
        WriteParam(written, paramSpec, bound ? ReadControl(*bound) : Value{});
    }
    std::optional<CaptionChange> caption;
    if (kind->captionRule.prefix) {
        const PhraseText phraseText = [&](int32_t index) {
            return ListItemText(*controls, kind->captionRule.param, index);
        };
        caption = BlockCaption(kind->code, written, phraseText);
    }
    m_document.ChangeBlock(object, FormatCtrlNode(written), caption);
}

} // namespace talvex
