#include "dialogs/dispatcher.h"

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

std::vector<ControlBinding> Drive()
{
    return {{"mode", "RadioGroup1", A::ItemIndex}, {"wait", "ScrollBar1", A::Position}};
}
std::vector<ControlBinding> Edit(const char* param)
{
    return {{param, "Edit1", A::Text}};
}
std::vector<ControlBinding> Assign(const char* source)
{
    return {{"var", "ComboBox1", A::ItemIndex}, {source, "ComboBox2", A::ItemIndex}};
}

} // namespace

const std::vector<DispatchRow>& DispatchTable()
{
    static const std::vector<DispatchRow> table = {
        {bkZhiXing, Drive(), nullptr},
        {bkZhuanXiang, Drive(), nullptr},
        {bkQiDongDJ, {{"motorL", "ScrollBar1", A::Position}, {"motorR", "ScrollBar2", A::Position}}, nullptr},
        {bkTingZhiDJ, {{"mode", "RadioGroup1", A::ItemIndex}}, nullptr},
        {bkYanShi, {{"wait", "ScrollBar1", A::Position}}, nullptr},
        {bkFaYin,
         {{"keycmd", "CheckBox1", A::Checked},
          {"content", nullptr, A::Notes},
          {"key", "ComboBox1", A::ClampedIndex},
          {nullptr, nullptr, A::ApplyRange}},
         nullptr},
        {bkLoopBegin, Edit("times"), nullptr},
        {bkLED, {{"led", nullptr, A::LedMask}}, nullptr},
        {bkPORTDDR, {{"ddr", "ComboBox1", A::ItemIndex}, {"data", nullptr, A::PinMask}}, nullptr},
        {bkPORTIN, {{"var", "ComboBox1", A::ItemIndex}, {"port", "ComboBox2", A::ItemIndex}}, nullptr},
        {bkPORTOUT, {{"port", "ComboBox1", A::ItemIndex}, {"data", nullptr, A::PinMask}}, nullptr},
        {bkServo,
         {{"data1", "ScrollBar1", A::Position},
          {"data2", "ScrollBar2", A::Position},
          {"data3", "ScrollBar3", A::Position},
          {"data4", "ScrollBar4", A::Position},
          {"data5", "ScrollBar5", A::Position},
          {"speed", "ScrollBarSpeed", A::Position}},
         nullptr},
        {bkBiaoDaShi, Edit("command"), "Edit1"},
        {bkDIN, Assign("index"), nullptr},
        {bkAIN, Assign("index"), nullptr},
        {bkSubBegin, Edit("sub"), "Edit1"},
        {bkGOSUB, Edit("sub"), "Edit1"},
        {bkWhileBegin, Edit("condition"), nullptr},
        {bkIfBegin, Edit("condition"), nullptr},
        {bkIfElseIf, Edit("condition"), nullptr},
        {bkVOICEX, {{"index", "ComboBox1", A::ItemIndex}}, "ComboBox1"},
    };
    return table;
}

const DispatchRow* FindDispatchRow(int32_t kindCode)
{
    for (const DispatchRow& row : DispatchTable()) {
        if (row.kind == kindCode)
            return &row;
    }
    return nullptr;
}

namespace {

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

QObject* Control(QDialog& dialog, const ControlBinding& binding)
{
    if (!binding.control)
        return &dialog;
    return dialog.findChild<QObject*>(QString::fromLatin1(binding.control));
}

void SetControl(QDialog& dialog, const ControlBinding& binding, const Value& value)
{
    QObject* control = Control(dialog, binding);
    if (!control)
        return;
    switch (binding.access) {
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

Value ReadControl(QDialog& dialog, const ControlBinding& binding)
{
    Value value;
    QObject* control = Control(dialog, binding);
    if (!control)
        return value;
    switch (binding.access) {
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

std::string ShownText(QDialog& dialog, const char* controlName)
{
    QObject* control = dialog.findChild<QObject*>(QString::fromLatin1(controlName));
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return ToGbk(edit->text());
    if (auto* box = qobject_cast<QComboBox*>(control))
        return ToGbk(box->currentText());
    return {};
}

const ControlBinding* BindingOf(const DispatchRow& row, const std::string& param)
{
    for (const ControlBinding& binding : row.in) {
        if (binding.param && param == binding.param)
            return &binding;
    }
    return nullptr;
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
    const DispatchRow* row = FindDispatchRow(kind->code);
    if (!row)
        return;

    if (object->CtrlNodeText.empty())
        object->CtrlNodeText = DefaultCtrlNode(kind->code);
    const Result<XmlElement> parsed = ParseCtrlNode(object->CtrlNodeText);
    if (!parsed) {
        ShowMessage(parsed.Message());
        return;
    }
    const CtrlNode& node = *parsed;
    for (const ControlBinding& binding : row->in) {
        Value value;
        if (binding.param) {
            const auto paramSpec = std::find_if(kind->params.begin(), kind->params.end(),
                                                [&](const ParamSpec& p) { return p.name == binding.param; });
            if (paramSpec == kind->params.end())
                continue;
            value = ReadParam(node, *paramSpec);
        }
        SetControl(*dialog, binding, value);
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
        const ControlBinding* binding = BindingOf(*row, paramSpec.name);
        WriteParam(written, paramSpec, binding ? ReadControl(*dialog, *binding) : Value{});
    }
    std::optional<CaptionChange> caption;
    if (row->captionControl)
        caption = BlockCaptionRule(kind->code, ShownText(*dialog, row->captionControl));
    m_document.ChangeBlock(object, FormatCtrlNode(written), caption);
}

} // namespace talvex
