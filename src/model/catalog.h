#pragma once

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
constexpr int kPaletteItemCount = 32;

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
    std::string description; // GBK, one line: what the block does and the program line it makes
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
