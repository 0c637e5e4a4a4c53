#pragma once

#include "model/caption.h"
#include "model/xmltext.h"

#include <cstdint>
#include <string>
#include <vector>

namespace talvex {

// Type codes carried in every diagram object's TypeCode.
enum TBlockKind : int32_t {
    bkNone = 0,
    bkStart = 512,
    bkEnd = 513,
    bkSpot = 514,
    bkZhiXing = 577,
    bkZhuanXiang = 578,
    bkQiDongDJ = 579,
    bkTingZhiDJ = 580,
    bkYanShi = 581,
    bkFaYin = 582,
    bkHongWai = 583,
    bkGuangGan = 584,
    bkLoopBegin = 585,
    bkLoopEnd = 586,
    bkLimLoopBegin = 587,
    bkLimLoopEnd = 588,
    bkGOTOIF = 589,
    bkJieShu = 590,
    bkLED = 591,
    bkPORTDDR = 592,
    bkPORTIN = 593,
    bkPORTOUT = 594,
    bkServo = 595,
    bkBiaoDaShi = 596,
    bkDIN = 597,
    bkAIN = 598,
    bkSubBegin = 599,
    bkSubEnd = 600,
    bkGOSUB = 601,
    bkWhileBegin = 602,
    bkWhileEnd = 603,
    bkIfBegin = 604,
    bkIfElseIf = 605,
    bkIfElse = 606,
    bkIfEnd = 607,
    bkVOICEX = 608,
};

constexpr int32_t kBlockKindBase = 576; // kind code = 576 + palette item / "type"

enum class ParamClass {
    Integer,     // decimal, read with IntParam
    Flag,        // "-1" / "0", read with FlagParam
    Text,        // bytes as they stand ("sub" also escapes < > &, see ctrlnode.h)
    EscapedText, // EscapeValueText on the way in, UnescapeValueText on the way out
};

struct ParamSpec {
    std::string name;
    ParamClass cls;
    int32_t defaultValue; // integers only; flags default to false, texts to ""
};

enum class PaletteGroup { None = 0, Exec = 1, Sensor = 2, Control = 3, Program = 4 };

struct BlockInfo;

// How a block becomes program text. A row with an emitter has its node parsed
// and handed to it; a row without one has fixed lines and its node is never
// read.
using LineEmitter = void (*)(const BlockInfo& kind, const XmlElement& node, std::vector<std::string>& lines);
struct ProgramForm {
    LineEmitter emitter = nullptr;
    std::vector<const char*> fixedLines;
    const char* call = nullptr; // the name EmitCall writes
};

// What a block's caption shows: prefix + the value of param as the value
// source reads it, at height 40; an empty value gives the kind caption at
// height 32, or keeps caption and height (emptyKeeps).
using CaptionValue = std::string (*)(const XmlElement& node, const char* param, const PhraseText& phraseText);
struct CaptionForm {
    const char* prefix = nullptr; // UTF-8; nullptr: the caption never changes
    const char* param = nullptr;
    CaptionValue value = nullptr;
    bool emptyKeeps = false;
};

// How a parameter reaches its dialog control and comes back.
enum class ControlAccess {
    ItemIndex,    // radio group or drop-down list; -1 for no choice
    ClampedIndex, // drop-down list; a stored index is brought into its items
    Position,     // scroll bar
    Text,         // single-line edit
    Checked,      // check box
    LedMask,      // TFormLED::ShowLedMask / ReadLedMask
    PinMask,      // ShowPinMask / ReadPinMask
    Notes,        // TFormFaYin::LoadNotes / JoinNotes
    ApplyRange,   // TFormFaYin::ApplyRange, after the values are in
};

// One step of filling a kind's dialog; the list is in the order the controls
// are set before showing. After "确定" every parameter of the row is written,
// in the row's order, from the control bound to it.
struct ControlBinding {
    const char* param;   // parameter name; nullptr for a step without a value
    const char* control; // objectName of the control; nullptr: the dialog itself
    ControlAccess access;
};

struct BlockInfo {
    int32_t code;        // 576 + item
    int item;            // palette item number 1..32, also the node's "type"
    const char* member;  // "bkZhiXing"
    std::string caption; // GBK kind caption
    PaletteGroup group;
    int icon;            // index into the palette image list
    const char* dialog;  // dialog class name, or "" when the kind has no dialog
    bool hasDefaultNode; // false for bkHongWai, bkGuangGan, bkJieShu
    bool isBlock;        // false for bkJieShu: no block ever carries it
    std::vector<ParamSpec> params;
    ProgramForm program;
    CaptionForm captionRule;
    std::vector<ControlBinding> controls; // empty for kinds without parameters
    std::string description;              // GBK, one line: what the block does and the program line it makes
};

struct PaletteGroupInfo {
    const char* objectName; // "dxNavBar1Group1"
    std::string caption;    // GBK
    std::vector<int> items; // palette item numbers, top to bottom
};

// The catalog: one row per palette item 1..32, in item order.
const std::vector<BlockInfo>& BlockCatalog();
// The row of a kind code (577..608), or nullptr.
const BlockInfo* FindBlockKind(int32_t code);
// The row of palette item n (1..32), or nullptr.
const BlockInfo* FindPaletteItem(int item);
const std::vector<PaletteGroupInfo>& PaletteGroups();

// GBK caption of a kind code; the terminals' fixed captions for 512 and 513;
// empty for anything else.
std::string KindCaption(int32_t code);

} // namespace talvex
