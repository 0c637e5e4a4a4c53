#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"

#include <gtest/gtest.h>

#include <string>

using namespace talvex;

namespace {

// The declaration line, then the given lines ('|' separated), each with CR LF.
std::string NodeText(const std::string& body)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";
    size_t start = 0;
    while (start <= body.size()) {
        const size_t bar = body.find('|', start);
        out += body.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        out += "\r\n";
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return out;
}

CtrlNode Parsed(const std::string& text)
{
    Result<XmlElement> result = ParseCtrlNode(text);
    EXPECT_TRUE(result) << result.Message();
    return result ? *result : CtrlNode{};
}

} // namespace

TEST(CtrlNode, DefaultNodeOfEveryKindByteForByte)
{
    struct Case {
        int32_t code;
        const char* body; // "" for kinds without a default node
    };
    const Case cases[] = {
        {bkZhiXing, "<CtrlNode type=\"1\">|  <mode>0</mode>|  <wait>0</wait>|</CtrlNode>"},
        {bkZhuanXiang, "<CtrlNode type=\"2\">|  <mode>0</mode>|  <wait>0</wait>|</CtrlNode>"},
        {bkQiDongDJ, "<CtrlNode type=\"3\">|  <motorL>0</motorL>|  <motorR>0</motorR>|</CtrlNode>"},
        {bkTingZhiDJ, "<CtrlNode type=\"4\">|  <mode>0</mode>|</CtrlNode>"},
        {bkYanShi, "<CtrlNode type=\"5\">|  <wait>0</wait>|</CtrlNode>"},
        {bkFaYin, "<CtrlNode type=\"6\">|  <key>0</key>|  <keycmd>0</keycmd>|  <content/>|</CtrlNode>"},
        {bkHongWai, ""},
        {bkGuangGan, ""},
        {bkLoopBegin, "<CtrlNode type=\"9\">|  <times/>|</CtrlNode>"},
        {bkLoopEnd, "<CtrlNode type=\"10\"/>"},
        {bkLimLoopBegin, "<CtrlNode type=\"11\"/>"},
        {bkLimLoopEnd, "<CtrlNode type=\"12\"/>"},
        {bkGOTOIF, "<CtrlNode type=\"13\">|  <condition/>|  <label/>|</CtrlNode>"},
        {bkJieShu, ""},
        {bkLED, "<CtrlNode type=\"15\">|  <led>7</led>|</CtrlNode>"},
        {bkPORTDDR, "<CtrlNode type=\"16\">|  <ddr>0</ddr>|  <data>0</data>|</CtrlNode>"},
        {bkPORTIN, "<CtrlNode type=\"17\">|  <var>0</var>|  <port>0</port>|</CtrlNode>"},
        {bkPORTOUT, "<CtrlNode type=\"18\">|  <port>0</port>|  <data>0</data>|</CtrlNode>"},
        {bkServo, "<CtrlNode type=\"19\">|  <data1>9</data1>|  <data2>9</data2>|  <data3>9</data3>|"
                  "  <data4>9</data4>|  <data5>9</data5>|  <speed>1</speed>|</CtrlNode>"},
        {bkBiaoDaShi, "<CtrlNode type=\"20\">|  <command/>|</CtrlNode>"},
        {bkDIN, "<CtrlNode type=\"21\">|  <var>0</var>|  <index>0</index>|</CtrlNode>"},
        {bkAIN, "<CtrlNode type=\"22\">|  <var>0</var>|  <index>0</index>|</CtrlNode>"},
        {bkSubBegin, "<CtrlNode type=\"23\">|  <sub/>|</CtrlNode>"},
        {bkSubEnd, "<CtrlNode type=\"24\"/>"},
        {bkGOSUB, "<CtrlNode type=\"25\">|  <sub/>|</CtrlNode>"},
        {bkWhileBegin, "<CtrlNode type=\"26\">|  <condition/>|</CtrlNode>"},
        {bkWhileEnd, "<CtrlNode type=\"27\"/>"},
        {bkIfBegin, "<CtrlNode type=\"28\">|  <condition/>|</CtrlNode>"},
        {bkIfElseIf, "<CtrlNode type=\"29\">|  <condition/>|</CtrlNode>"},
        {bkIfElse, "<CtrlNode type=\"30\"/>"},
        {bkIfEnd, "<CtrlNode type=\"31\"/>"},
        {bkVOICEX, "<CtrlNode type=\"32\">|  <index>0</index>|</CtrlNode>"},
    };
    ASSERT_EQ(std::size(cases), BlockCatalog().size());
    for (const Case& c : cases) {
        const std::string expected = *c.body ? NodeText(c.body) : std::string();
        EXPECT_EQ(DefaultCtrlNode(c.code), expected) << c.code;
        if (!expected.empty()) {
            // Canonical text survives a parse and a format unchanged.
            EXPECT_EQ(FormatCtrlNode(Parsed(expected)), expected) << c.code;
        }
    }
}

TEST(CtrlNode, BuildsNodesParameterByParameter)
{
    CtrlNode node = NewCtrlNode(6);
    AddIntParam(node, "key", -255);
    AddFlagParam(node, "keycmd", true);
    AddFlagParam(node, "off", false);
    AddTextParam(node, "content", "8454");
    AddTextParam(node, "empty", "");
    EXPECT_EQ(FormatCtrlNode(node), NodeText("<CtrlNode type=\"6\">|  <key>-255</key>|  <keycmd>-1</keycmd>|"
                                             "  <off>0</off>|  <content>8454</content>|  <empty/>|</CtrlNode>"));
}

TEST(CtrlNode, EscapeValueText)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"a<5 & b>2", "a&lt;5 &amp; b&gt;2"},
        {"\xB1\xED", "&#xB1;&#xED;"},
        {"say \"hi\" 'x'", "say &quot;hi&quot; &apos;x&apos;"},
        {"Abc 123 =", "Abc 123 ="},
        {"\x80\xFF", "&#x80;&#xFF;"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeValueText(c.in), c.out) << c.in;
        EXPECT_EQ(UnescapeValueText(c.out), c.in) << c.out;
    }
}

TEST(CtrlNode, UnescapeValueTextOddReferences)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"&LT;", "<"},
        {"&Amp;&QUOT;&apos;&gT;", "&\"'>"},
        {"&#65;", "A"},
        {"&#x41;", "A"},
        {"&#X41;", "A"},
        {"&#x141;", "A"}, // low eight bits
        {"&#321;", "A"},
        {"&#xc4;&#xE3;", "\xC4\xE3"},
        {"&#0;", "&#0;"},
        {"&#x0;", "&#x0;"},
        {"&#x;", "&#x;"},
        {"&#;", "&#;"},
        {"&#65", "&#65"},
        {"a & b", "a & b"},
        {"a&b", "a&b"},
        {"&amp;lt;", "&lt;"},              // not repeated
        {"&#x100;", std::string(1, '\0')}, // number above 0 whose low byte is 0
        {"&&lt;", "&<"},
        {"&#99999999999999999999999;", "\xFF"},
    };
    // The last case: 99999999999999999999999 mod 256 is 0xFF.
    for (const Case& c : cases)
        EXPECT_EQ(UnescapeValueText(c.in), c.out) << c.in;
}

TEST(CtrlNode, IntParamRules)
{
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {
        {"0", 0},
        {"-255", -255},
        {"32767", 32767},
        {"+7", 7},
        {"  12", 12},
        {"0020", 20},
        {"$1F", 31},
        {"x1f", 31},
        {"0x10", 16},
        {"0XfF", 255},
        {"-$10", -16},
        {"12abc", -1},
        {"", -1},
        {"abc", -1},
        {"12 ", -1},
        {"1.5", -1},
        {"0x", -1},
        {"-", -1},
        {"4294967295", -1},
        {"4294967296", 0},
        {"2147483648", INT32_MIN},
        {"99999999999999999999", -1},
    };
    for (const Case& c : cases) {
        CtrlNode node = NewCtrlNode(1);
        AddTextParam(node, "wait", c.text);
        EXPECT_EQ(IntParam(node, "wait"), c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(IntParam(NewCtrlNode(1), "wait"), -1);
}

TEST(CtrlNode, FlagParamRules)
{
    struct Case {
        const char* text;
        bool value;
    };
    const Case cases[] = {
        {"", true},       {"0", false},   {"-1", true},   {"2", true},   {"TRUE", true}, {"true", true},
        {"False", false}, {"yes", false}, {"0.0", false}, {"0.5", true}, {"1e3", true},  {"0e5", false},
        {"+3", true},     {"1x", false},  {".5", true},   {"1e", false},
    };
    for (const Case& c : cases) {
        CtrlNode node = NewCtrlNode(6);
        AddTextParam(node, "keycmd", c.text);
        EXPECT_EQ(FlagParam(node, "keycmd"), c.value) << '"' << c.text << '"';
    }
    EXPECT_TRUE(FlagParam(NewCtrlNode(6), "keycmd"));
}

TEST(CtrlNode, ReadsParametersFromParsedText)
{
    const CtrlNode node = Parsed(NodeText("<CtrlNode type=\"20\">|  <MODE>3</MODE>|  <wait/>|  <mode>9</mode>|"
                                          "  <command>a  =  b</command>|</CtrlNode>"));
    EXPECT_EQ(NodeType(node), 20);
    EXPECT_EQ(IntParam(node, "mode"), 3); // case-insensitive, first match counts
    EXPECT_EQ(IntParam(node, "wait"), -1);
    EXPECT_EQ(TextParam(node, "command"), "a = b");
    EXPECT_EQ(TextParam(node, "missing"), "");

    const CtrlNode bare = Parsed(NodeText("<CtrlNode type=\"x\"/>"));
    EXPECT_EQ(NodeType(bare), -1);
    EXPECT_EQ(IntParam(bare, "anything"), -1);
    EXPECT_EQ(TextParam(bare, "anything"), "");
    EXPECT_TRUE(FlagParam(bare, "anything"));

    // Written with all four blanks, read back with one on each side.
    CtrlNode command = NewCtrlNode(20);
    AddTextParam(command, "command", "a  =  b");
    const std::string text = FormatCtrlNode(command);
    EXPECT_NE(text.find("a  =  b"), std::string::npos);
    EXPECT_EQ(TextParam(Parsed(text), "command"), "a = b");
}

TEST(CtrlNode, ParseFailureCarriesTheReadersMessage)
{
    Result<XmlElement> result = ParseCtrlNode("<CtrlNode type=\"1\"><mode>0</CtrlNode>");
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.Message().empty());
}

TEST(CtrlNode, SubroutineNamesKeepEveryByteButTheThreeMarkup)
{
    struct Case {
        std::string typed, stored;
    };
    const Case cases[] = {
        {"MOVE", "MOVE"},
        {"\xD7\xD3\xB3\xCC", "\xD7\xD3\xB3\xCC"},
        {"a<b>&c", "a&lt;b&gt;&amp;c"},
        {"&#65;", "&amp;#65;"},
        {"\"'", "\"'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeSubName(c.typed), c.stored);
        EXPECT_EQ(UnescapeSubName(c.stored), c.typed);
        // The stored name survives a round trip through the node text.
        CtrlNode node = NewCtrlNode(23);
        AddTextParam(node, "sub", EscapeSubName(c.typed));
        EXPECT_EQ(UnescapeSubName(TextParam(Parsed(FormatCtrlNode(node)), "sub")), c.typed);
    }
}

TEST(CtrlNode, BlockCaptionRule)
{
    struct Case {
        int32_t code;
        const char* value;
        bool changes;
        const char* caption;
        int32_t height;
    };
    const Case cases[] = {
        {bkBiaoDaShi, "a<5", true, "表达式:a<5", 40},
        {bkBiaoDaShi, "", true, "表达式", 32},
        {bkSubBegin, "MOVE", true, "子程序开始:MOVE", 40},
        {bkSubBegin, "", true, "子程序开始", 32},
        {bkGOSUB, "MOVE", true, "调用子程序:MOVE", 40},
        {bkGOSUB, "", true, "调用子程序", 32},
        {bkVOICEX, "5", true, "语音: 5", 40},
        {bkVOICEX, "", false, "", 32},
        {bkZhiXing, "x", false, "", 32},
    };
    for (const Case& c : cases) {
        const CaptionChange change = BlockCaptionRule(c.code, c.value);
        EXPECT_EQ(change.changes, c.changes) << c.code << " " << c.value;
        if (c.changes) {
            EXPECT_EQ(change.caption, Gbk(c.caption));
            EXPECT_EQ(change.height, c.height);
        }
    }
}
