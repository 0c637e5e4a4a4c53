#include "dialogs/dialogset.h"

#include "dialogs/hardwaredialogs.h"
#include "dialogs/melodydialog.h"
#include "dialogs/motiondialogs.h"
#include "dialogs/textdialogs.h"
#include "dialogs/voicedialog.h"
#include "model/catalog.h"
#include "model/gbk.h"
#include "project/phraselist.h"

namespace talvex {

DialogSet::DialogSet(QWidget* parent, DialogSetOptions options)
{
    auto text = [parent](const char* name) { return new TextParamDialog(*FindTextDialogSpec(name), parent); };
    auto plain = [parent](const char* name) { return new PlainDialog(*FindPlainDialogSpec(name), parent); };

    // The start-up order.

    Add(DriveDialog::NewZhiXing(parent));
    Add(DriveDialog::NewZhuanXiang(parent));
    Add(new TFormQiDongDJ(parent));
    Add(new TFormYanShi(parent));
    Add(new TFormTingZhiDJ(parent));
    Add(new TFormFaYin(parent));
    if (options.makeDownload)
        Add(options.makeDownload(parent));
    if (options.makeAbout)
        Add(options.makeAbout(parent));
    Add(text("TFormBiaoDaShi"));
    Add(new TFormServo(parent));
    Add(new TFormLED(parent));
    Add(AssignDialog::NewPORTIN(parent));
    Add(PinMaskDialog::NewPORTOUT(parent));
    Add(PinMaskDialog::NewPORTDDR(parent));
    Add(AssignDialog::NewDIN(parent));
    Add(AssignDialog::NewAIN(parent));
    Add(text("TFormSubBegin"));
    Add(plain("TFormSubEnd"));
    Add(text("TFormGOSUB"));
    Add(text("TFormLoopBegin"));
    Add(plain("TFormLoopEnd"));
    Add(plain("TFormLimLoopBegin"));
    Add(plain("TFormLimLoopEnd"));
    Add(text("TFormWhileBegin"));
    Add(plain("TFormWhileEnd"));
    Add(text("TFormIfBegin"));
    Add(text("TFormIfElseIf"));
    Add(plain("TFormIfElse"));
    Add(plain("TFormIfEnd"));
    Add(new TFormVOICEX(options.phrases ? *options.phrases : LoadPhraseList(), parent));
    AddDescribedDialogs(parent);
    BindCatalog();
}

void DialogSet::AddDescribedDialogs(QWidget* parent)
{
    for (const BlockInfo& kind : BlockCatalog()) {
        if (kind.dialog[0] == '\0' || Find(QString::fromLatin1(kind.dialog)))
            continue;
        if (const TextDialogSpec* text = FindTextDialogSpec(kind.dialog))
            Add(new TextParamDialog(*text, parent));
        else if (const PlainDialogSpec* plain = FindPlainDialogSpec(kind.dialog))
            Add(new PlainDialog(*plain, parent));
    }
}

void DialogSet::BindCatalog()
{
    for (const BlockInfo& kind : BlockCatalog()) {
        if (kind.dialog[0] == '\0')
            continue;
        QDialog* dialog = Find(QString::fromLatin1(kind.dialog));
        if (!dialog)
            qFatal("no dialog %s for %s", kind.dialog, kind.member);
        if (kind.controls.empty())
            continue;
        Result<BoundControls> bound = BindControls(*dialog, kind.controls);
        if (!bound)
            qFatal("%s", FromGbk(bound.Message()).toUtf8().constData());
        m_controls.emplace(kind.code, std::move(*bound));
    }
}

const BoundControls* DialogSet::Controls(int32_t kindCode) const
{
    const auto found = m_controls.find(kindCode);
    return found == m_controls.end() ? nullptr : &found->second;
}

DialogSet::~DialogSet()
{
    // Dialogs with a parent may already be gone with it; the rest go here.
    for (auto it = m_dialogs.rbegin(); it != m_dialogs.rend(); ++it)
        delete it->data();
}

void DialogSet::Add(QDialog* dialog)
{
    if (dialog)
        m_dialogs.emplace_back(dialog);
}

QDialog* DialogSet::Find(const QString& className) const
{
    for (const QPointer<QDialog>& dialog : m_dialogs) {
        if (dialog && dialog->objectName() == className)
            return dialog.data();
    }
    return nullptr;
}

std::vector<QDialog*> DialogSet::All() const
{
    std::vector<QDialog*> all;
    for (const QPointer<QDialog>& dialog : m_dialogs) {
        if (dialog)
            all.push_back(dialog.data());
    }
    return all;
}

} // namespace talvex
