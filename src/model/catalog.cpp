#include "model/catalog.h"

#include "model/blocklines.h"
#include "model/gbk.h"

namespace talvex {

namespace {

using P = ParamSpec;
using A = ControlAccess;
constexpr ParamClass I = ParamClass::Integer;
constexpr ParamClass F = ParamClass::Flag;
constexpr ParamClass T = ParamClass::Text;
constexpr ParamClass E = ParamClass::EscapedText;
constexpr PaletteGroup gx = PaletteGroup::Exec;
constexpr PaletteGroup gs = PaletteGroup::Sensor;
constexpr PaletteGroup gc = PaletteGroup::Control;
constexpr PaletteGroup g0 = PaletteGroup::None;

ProgramForm Emit(LineEmitter emitter)
{
    return {emitter, {}, nullptr};
}
ProgramForm Fixed(std::vector<const char*> lines)
{
    return {nullptr, std::move(lines), nullptr};
}
ProgramForm Call(const char* name)
{
    return {EmitCall, {}, name};
}

CaptionForm Shows(const char* prefix, const char* param, CaptionValue value, bool emptyKeeps = false)
{
    return {prefix, param, value, emptyKeeps};
}
const CaptionForm kKindCaption;

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

struct Row {
    const char* member;
    const char* captionUtf8;
    PaletteGroup group;
    int icon;
    const char* dialog;
    bool hasDefaultNode;
    std::vector<ParamSpec> params;
    ProgramForm program;
    CaptionForm captionRule;
    std::vector<ControlBinding> controls;
};

// clang-format off
std::vector<Row> Rows()
{
    return {
        {"bkZhiXing", "直行", gx, 0, "TFormZhiXing", true,
         {P{"mode", I, 0}, P{"wait", I, 0}},
         Emit(EmitDrive), kKindCaption, Drive()},
        {"bkZhuanXiang", "转向", gx, 1, "TFormZhuanXiang", true,
         {P{"mode", I, 0}, P{"wait", I, 0}},
         Emit(EmitTurn), kKindCaption, Drive()},
        {"bkQiDongDJ", "启动电机", gx, 2, "TFormQiDongDJ", true,
         {P{"motorL", I, 0}, P{"motorR", I, 0}},
         Call("motor"), kKindCaption,
         {{"motorL", "ScrollBar1", A::Position}, {"motorR", "ScrollBar2", A::Position}}},
        {"bkTingZhiDJ", "停止电机", gx, 3, "TFormTingZhiDJ", true,
         {P{"mode", I, 0}},
         Emit(EmitStopMotors), kKindCaption, {{"mode", "RadioGroup1", A::ItemIndex}}},
        {"bkYanShi", "延时", gx, 4, "TFormYanShi", true,
         {P{"wait", I, 0}},
         Call("wait"), kKindCaption, {{"wait", "ScrollBar1", A::Position}}},
        {"bkFaYin", "发音", gx, 5, "TFormFaYin", true,
         {P{"key", I, 0}, P{"keycmd", F, 0}, P{"content", T, 0}},
         Emit(EmitMelody), kKindCaption,
         {{"keycmd", "CheckBox1", A::Checked}, {"content", nullptr, A::Notes},
          {"key", "ComboBox1", A::ClampedIndex}, {nullptr, nullptr, A::ApplyRange}}},
        {"bkHongWai", "红外线", g0, 6, "", false, {}, Fixed({}), kKindCaption, {}},
        {"bkGuangGan", "光感", g0, 7, "", false, {}, Fixed({}), kKindCaption, {}},
        {"bkLoopBegin", "多次循环头", gc, 14, "TFormLoopBegin", true,
         {P{"times", E, 0}},
         Emit(EmitLoop), kKindCaption, Edit("times")},
        {"bkLoopEnd", "多次循环尾", gc, 15, "TFormLoopEnd", true, {}, Fixed({"}"}), kKindCaption, {}},
        {"bkLimLoopBegin", "永远循环头", gc, 16, "TFormLimLoopBegin", true, {}, Fixed({"lim_loop", "{"}), kKindCaption, {}},
        {"bkLimLoopEnd", "永远循环尾", gc, 17, "TFormLimLoopEnd", true, {}, Fixed({"}"}), kKindCaption, {}},
        {"bkGOTOIF", "条件跳转", g0, 11, "", true,
         {P{"condition", E, 0}, P{"label", E, 0}},
         Emit(EmitGotoIf), kKindCaption, {}},
        {"bkJieShu", "结束程序", g0, 13, "", false, {}, Fixed({}), kKindCaption, {}},
        {"bkLED", "发光二极管", gx, 18, "TFormLED", true,
         {P{"led", I, 7}},
         Call("led"), kKindCaption, {{"led", nullptr, A::LedMask}}},
        {"bkPORTDDR", "IO设置", gs, 21, "TFormPORTDDR", true,
         {P{"ddr", I, 0}, P{"data", I, 0}},
         Emit(EmitPortDirection), kKindCaption,
         {{"ddr", "ComboBox1", A::ItemIndex}, {"data", nullptr, A::PinMask}}},
        {"bkPORTIN", "IO输入", gs, 20, "TFormPORTIN", true,
         {P{"var", I, 0}, P{"port", I, 0}},
         Emit(EmitPortIn), kKindCaption,
         {{"var", "ComboBox1", A::ItemIndex}, {"port", "ComboBox2", A::ItemIndex}}},
        {"bkPORTOUT", "IO输出", gs, 19, "TFormPORTOUT", true,
         {P{"port", I, 0}, P{"data", I, 0}},
         Emit(EmitPortOut), kKindCaption,
         {{"port", "ComboBox1", A::ItemIndex}, {"data", nullptr, A::PinMask}}},
        {"bkServo", "舵机", gx, 23, "TFormServo", true,
         {P{"data1", I, 9}, P{"data2", I, 9}, P{"data3", I, 9}, P{"data4", I, 9}, P{"data5", I, 9}, P{"speed", I, 1}},
         Call("servoe"), kKindCaption,
         {{"data1", "ScrollBar1", A::Position}, {"data2", "ScrollBar2", A::Position},
          {"data3", "ScrollBar3", A::Position}, {"data4", "ScrollBar4", A::Position},
          {"data5", "ScrollBar5", A::Position}, {"speed", "ScrollBarSpeed", A::Position}}},
        {"bkBiaoDaShi", "表达式", gx, 22, "TFormBiaoDaShi", true,
         {P{"command", E, 0}},
         Emit(EmitExpression), Shows("表达式:", "command", UnescapedValue), Edit("command")},
        {"bkDIN", "开关量传感", gs, 24, "TFormDIN", true,
         {P{"var", I, 0}, P{"index", I, 0}},
         Emit(EmitDigitalIn), kKindCaption, Assign("index")},
        {"bkAIN", "模拟量传感", gs, 25, "TFormAIN", true,
         {P{"var", I, 0}, P{"index", I, 0}},
         Emit(EmitAnalogIn), kKindCaption, Assign("index")},
        {"bkSubBegin", "子程序开始", g0, 26, "TFormSubBegin", true,
         {P{"sub", T, 0}},
         Emit(EmitSubBegin), Shows("子程序开始:", "sub", SubNameValue), Edit("sub")},
        {"bkSubEnd", "子程序结束", g0, 27, "TFormSubEnd", true, {}, Fixed({"/* RETURN"}), kKindCaption, {}},
        {"bkGOSUB", "调用子程序", g0, 28, "TFormGOSUB", true,
         {P{"sub", T, 0}},
         Emit(EmitGosub), Shows("调用子程序:", "sub", SubNameValue), Edit("sub")},
        {"bkWhileBegin", "条件循环头", gc, 29, "TFormWhileBegin", true,
         {P{"condition", E, 0}},
         Emit(EmitWhile), kKindCaption, Edit("condition")},
        {"bkWhileEnd", "条件循环尾", gc, 30, "TFormWhileEnd", true, {}, Fixed({"}"}), kKindCaption, {}},
        {"bkIfBegin", "如果", gc, 31, "TFormIfBegin", true,
         {P{"condition", E, 0}},
         Emit(EmitIf), kKindCaption, Edit("condition")},
        {"bkIfElseIf", "否则如果", gc, 32, "TFormIfElseIf", true,
         {P{"condition", E, 0}},
         Emit(EmitElseIf), kKindCaption, Edit("condition")},
        {"bkIfElse", "否则", gc, 33, "TFormIfElse", true, {}, Fixed({"}", "else", "{"}), kKindCaption, {}},
        {"bkIfEnd", "结束判断", gc, 12, "TFormIfEnd", true, {}, Fixed({"}"}), kKindCaption, {}},
        {"bkVOICEX", "语音模块", gx, 34, "TFormVOICEX", true,
         {P{"index", I, 0}},
         Call("voicex"), Shows("语音: ", "index", PhraseValue, true), {{"index", "ComboBox1", A::ItemIndex}}},
    };
}
// clang-format on

std::vector<BlockInfo> BuildCatalog()
{
    std::vector<Row> rows = Rows();
    std::vector<BlockInfo> catalog;
    catalog.reserve(rows.size());
    int item = 1;
    for (Row& row : rows) {
        const bool isBlock = item != 14;
        catalog.push_back(BlockInfo{kBlockKindBase + item, item, row.member, Gbk(row.captionUtf8), row.group, row.icon,
                                    row.dialog, row.hasDefaultNode, isBlock, std::move(row.params),
                                    std::move(row.program), row.captionRule, std::move(row.controls)});
        ++item;
    }
    return catalog;
}

} // namespace

const std::vector<BlockInfo>& BlockCatalog()
{
    static const std::vector<BlockInfo> catalog = BuildCatalog();
    return catalog;
}

const BlockInfo* FindPaletteItem(int item)
{
    if (item < 1 || static_cast<size_t>(item) > BlockCatalog().size())
        return nullptr;
    return &BlockCatalog()[static_cast<size_t>(item - 1)];
}

const BlockInfo* FindBlockKind(int32_t code)
{
    return FindPaletteItem(code - kBlockKindBase);
}

const std::vector<PaletteGroupInfo>& PaletteGroups()
{
    // A group lists the items whose row names it, in item order.
    static const std::vector<PaletteGroupInfo> groups = [] {
        std::vector<PaletteGroupInfo> built = {
            {"dxNavBar1Group1", Gbk("执行模块"), {}},
            {"dxNavBar1Group2", Gbk("传感器模块"), {}},
            {"dxNavBar1Group3", Gbk("控制模块"), {}},
            {"dxNavBar1Group4", Gbk("程序模块"), {}},
        };
        for (const BlockInfo& kind : BlockCatalog()) {
            if (kind.group != PaletteGroup::None)
                built[static_cast<size_t>(kind.group) - 1].items.push_back(kind.item);
        }
        return built;
    }();
    return groups;
}

std::string KindCaption(int32_t code)
{
    if (code == bkStart) {
        static const std::string start = Gbk("开始");
        return start;
    }
    if (code == bkEnd) {
        static const std::string end = Gbk("结束");
        return end;
    }
    const BlockInfo* info = FindBlockKind(code);
    return info ? info->caption : std::string();
}

} // namespace talvex
