#include "app/startup.h"

#include "app/formabout.h"
#include "app/mainwindow.h"

namespace talvex {

namespace {

template <class Form>
Form* CreateForm(TForm1& owner)
{
    return new Form(&owner);
}

} // namespace

void CreateForms(TForm1& form1)
{
    // One line per dialog, in start-up order:
    // TFormZhiXing, TFormZhuanXiang, TFormQiDongDJ, TFormYanShi, TFormTingZhiDJ,
    // TFormFaYin, TFormDownload, TFormAbout, TFormBiaoDaShi, TFormServo, TFormLED,
    // TFormPORTIN, TFormPORTOUT, TFormPORTDDR, TFormDIN, TFormAIN, TFormSubBegin,
    // TFormSubEnd, TFormGOSUB, TFormLoopBegin, TFormLoopEnd, TFormLimLoopBegin,
    // TFormLimLoopEnd, TFormWhileBegin, TFormWhileEnd, TFormIfBegin, TFormIfElseIf,
    // TFormIfElse, TFormIfEnd, TFormVOICEX.
    CreateForm<TFormAbout>(form1);
}

} // namespace talvex
