#include "dialogs/dialogset.h"

#include "dialogs/hardwaredialogs.h"
#include "dialogs/melodydialog.h"
#include "dialogs/motiondialogs.h"
#include "dialogs/textdialogs.h"
#include "dialogs/voicedialog.h"
#include "project/phraselist.h"

namespace talvex {

DialogSet::DialogSet(QWidget* parent, DialogSetOptions options)
{
    auto text = [parent](const char* name) { return new TextParamDialog(*FindTextDialogSpec(name), parent); };
    auto plain = [parent](const char* name) { return new PlainDialog(*FindPlainDialogSpec(name), parent); };

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
