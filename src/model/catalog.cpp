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
    const char* descriptionUtf8;
};

// clang-format off
std::vector<Row> Rows()
{
    return {
        {"bkZhiXing", "直行", gx, 0, "TFormZhiXing", true,
         {P{"mode", I, 0}, P{"wait", I, 0}},
         Emit(EmitDrive), kKindCaption, Drive(),
         "让机器人前进或后退，一直走到停止电机，或走设定的时间；生成 fdx(); bkx(); 或 fd(时间); bk(时间);"},
        {"bkZhuanXiang", "转向", gx, 1, "TFormZhuanXiang", true,
         {P{"mode", I, 0}, P{"wait", I, 0}},
         Emit(EmitTurn), kKindCaption, Drive(),
         "让机器人左转或右转，一直转到停止电机，或转设定的时间；生成 ltx(); rtx(); 或 lt(时间); rt(时间);"},
        {"bkQiDongDJ", "启动电机", gx, 2, "TFormQiDongDJ", true,
         {P{"motorL", I, 0}, P{"motorR", I, 0}},
         Call("motor"), kKindCaption,
         {{"motorL", "ScrollBar1", A::Position}, {"motorR", "ScrollBar2", A::Position}},
         "以设定的速度启动左、右两个电机；生成 motor(左速度,右速度);"},
        {"bkTingZhiDJ", "停止电机", gx, 3, "TFormTingZhiDJ", true,
         {P{"mode", I, 0}},
         Emit(EmitStopMotors), kKindCaption, {{"mode", "RadioGroup1", A::ItemIndex}},
         "停止两个电机；生成 stx(); 或 motor(0,0);"},
        {"bkYanShi", "延时", gx, 4, "TFormYanShi", true,
         {P{"wait", I, 0}},
         Call("wait"), kKindCaption, {{"wait", "ScrollBar1", A::Position}},
         "等待设定的时间后再执行下一个模块；生成 wait(时间);"},
        {"bkFaYin", "发音", gx, 5, "TFormFaYin", true,
         {P{"key", I, 0}, P{"keycmd", F, 0}, P{"content", T, 0}},
         Emit(EmitMelody), kKindCaption,
         {{"keycmd", "CheckBox1", A::Checked}, {"content", nullptr, A::Notes},
          {"key", "ComboBox1", A::ClampedIndex}, {nullptr, nullptr, A::ApplyRange}},
         "演奏一段乐曲，可先设定音调；生成 play(\"乐曲\"); 前面可有 key(音调);"},
        {"bkHongWai", "红外线", g0, 6, "", false, {}, Fixed({}), kKindCaption, {},
         "旧文件中的红外线模块，不生成程序行"},
        {"bkGuangGan", "光感", g0, 7, "", false, {}, Fixed({}), kKindCaption, {},
         "旧文件中的光感模块，不生成程序行"},
        {"bkLoopBegin", "多次循环头", gc, 14, "TFormLoopBegin", true,
         {P{"times", E, 0}},
         Emit(EmitLoop), kKindCaption, Edit("times"),
         "把到多次循环尾之间的模块重复设定的次数；生成 loop(次数) 和 {"},
        {"bkLoopEnd", "多次循环尾", gc, 15, "TFormLoopEnd", true, {}, Fixed({"}"}), kKindCaption, {},
         "结束多次循环；生成 }"},
        {"bkLimLoopBegin", "永远循环头", gc, 16, "TFormLimLoopBegin", true, {}, Fixed({"lim_loop", "{"}), kKindCaption, {},
         "把到永远循环尾之间的模块一直重复下去；生成 lim_loop 和 {"},
        {"bkLimLoopEnd", "永远循环尾", gc, 17, "TFormLimLoopEnd", true, {}, Fixed({"}"}), kKindCaption, {},
         "结束永远循环；生成 }"},
        {"bkGOTOIF", "条件跳转", g0, 11, "", true,
         {P{"condition", E, 0}, P{"label", E, 0}},
         Emit(EmitGotoIf), kKindCaption, {},
         "旧文件中的条件跳转，只生成一行注释 /* IF 条件 THEN label: 标号"},
        {"bkJieShu", "结束程序", g0, 13, "", false, {}, Fixed({}), kKindCaption, {},
         "结束程序，不作为模块使用"},
        {"bkLED", "发光二极管", gx, 18, "TFormLED", true,
         {P{"led", I, 7}},
         Call("led"), kKindCaption, {{"led", nullptr, A::LedMask}},
         "点亮或熄灭发光二极管；生成 led(状态);"},
        {"bkPORTDDR", "IO设置", gs, 21, "TFormPORTDDR", true,
         {P{"ddr", I, 0}, P{"data", I, 0}},
         Emit(EmitPortDirection), kKindCaption,
         {{"ddr", "ComboBox1", A::ItemIndex}, {"data", nullptr, A::PinMask}},
         "设定IO口各位是输入还是输出；生成 ddr口(方向);"},
        {"bkPORTIN", "IO输入", gs, 20, "TFormPORTIN", true,
         {P{"var", I, 0}, P{"port", I, 0}},
         Emit(EmitPortIn), kKindCaption,
         {{"var", "ComboBox1", A::ItemIndex}, {"port", "ComboBox2", A::ItemIndex}},
         "读入IO口的值存到变量；生成 变量=pin口();"},
        {"bkPORTOUT", "IO输出", gs, 19, "TFormPORTOUT", true,
         {P{"port", I, 0}, P{"data", I, 0}},
         Emit(EmitPortOut), kKindCaption,
         {{"port", "ComboBox1", A::ItemIndex}, {"data", nullptr, A::PinMask}},
         "向IO口输出一个值；生成 port口(数值);"},
        {"bkServo", "舵机", gx, 23, "TFormServo", true,
         {P{"data1", I, 9}, P{"data2", I, 9}, P{"data3", I, 9}, P{"data4", I, 9}, P{"data5", I, 9}, P{"speed", I, 1}},
         Call("servoe"), kKindCaption,
         {{"data1", "ScrollBar1", A::Position}, {"data2", "ScrollBar2", A::Position},
          {"data3", "ScrollBar3", A::Position}, {"data4", "ScrollBar4", A::Position},
          {"data5", "ScrollBar5", A::Position}, {"speed", "ScrollBarSpeed", A::Position}},
         "把五个舵机转到设定的位置，速度可调；生成 servoe(位置1,...,位置5,速度);"},
        {"bkBiaoDaShi", "表达式", gx, 22, "TFormBiaoDaShi", true,
         {P{"command", E, 0}},
         Emit(EmitExpression), Shows("表达式:", "command", UnescapedValue), Edit("command"),
         "计算一个表达式，例如给变量赋值；生成 表达式;"},
        {"bkDIN", "开关量传感", gs, 24, "TFormDIN", true,
         {P{"var", I, 0}, P{"index", I, 0}},
         Emit(EmitDigitalIn), kKindCaption, Assign("index"),
         "读开关量传感器或麦克风存到变量；生成 变量=pc号(); 或 变量=mic();"},
        {"bkAIN", "模拟量传感", gs, 25, "TFormAIN", true,
         {P{"var", I, 0}, P{"index", I, 0}},
         Emit(EmitAnalogIn), kKindCaption, Assign("index"),
         "读模拟量传感器存到变量；生成 变量=adc号();"},
        {"bkSubBegin", "子程序开始", g0, 26, "TFormSubBegin", true,
         {P{"sub", T, 0}},
         Emit(EmitSubBegin), Shows("子程序开始:", "sub", UnescapedValue), Edit("sub"),
         "开始一个子程序；生成注释行 /* sub: 名称"},
        {"bkSubEnd", "子程序结束", g0, 27, "TFormSubEnd", true, {}, Fixed({"/* RETURN"}), kKindCaption, {},
         "结束子程序并返回；生成注释行 /* RETURN"},
        {"bkGOSUB", "调用子程序", g0, 28, "TFormGOSUB", true,
         {P{"sub", T, 0}},
         Emit(EmitGosub), Shows("调用子程序:", "sub", UnescapedValue), Edit("sub"),
         "调用一个子程序；生成注释行 /* GOSUB sub: 名称"},
        {"bkWhileBegin", "条件循环头", gc, 29, "TFormWhileBegin", true,
         {P{"condition", E, 0}},
         Emit(EmitWhile), kKindCaption, Edit("condition"),
         "条件成立时反复执行到条件循环尾之间的模块；生成 while(条件) 和 {"},
        {"bkWhileEnd", "条件循环尾", gc, 30, "TFormWhileEnd", true, {}, Fixed({"}"}), kKindCaption, {},
         "结束条件循环；生成 }"},
        {"bkIfBegin", "如果", gc, 31, "TFormIfBegin", true,
         {P{"condition", E, 0}},
         Emit(EmitIf), kKindCaption, Edit("condition"),
         "条件成立时执行下面的模块；生成 if(条件) 和 {"},
        {"bkIfElseIf", "否则如果", gc, 32, "TFormIfElseIf", true,
         {P{"condition", E, 0}},
         Emit(EmitElseIf), kKindCaption, Edit("condition"),
         "前面的条件都不成立而这个条件成立时执行下面的模块；生成 } else if(条件) {"},
        {"bkIfElse", "否则", gc, 33, "TFormIfElse", true, {}, Fixed({"}", "else", "{"}), kKindCaption, {},
         "前面的条件都不成立时执行下面的模块；生成 } else {"},
        {"bkIfEnd", "结束判断", gc, 12, "TFormIfEnd", true, {}, Fixed({"}"}), kKindCaption, {},
         "结束判断；生成 }"},
        {"bkVOICEX", "语音模块", gx, 34, "TFormVOICEX", true,
         {P{"index", I, 0}},
         Call("voicex"), Shows("语音: ", "index", PhraseValue, true), {{"index", "ComboBox1", A::ItemIndex}},
         "播放语音列表中选定的一句话；生成 voicex(编号);"},
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
                                    std::move(row.program), row.captionRule, std::move(row.controls),
                                    Gbk(row.descriptionUtf8)});
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
