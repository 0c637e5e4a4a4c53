#include "model/gbk.h"
#include "model/xmltext.h"
#include "nodetext.h"

#include <gtest/gtest.h>

#include <string>

using namespace talvex;
using talvex::testing::CrLfLines;

namespace {

XmlElement Leaf(std::string name, std::string text)
{
    return XmlElement{std::move(name), {}, std::move(text), {}};
}

} // namespace

TEST(XmlWriter, FollowsTheTextFormRules)
{
    struct Case {
        const char* what;
        XmlElement root;
        std::string expected;
    };
    XmlElement nested{"TALVEX", {}, "", {XmlElement{"record", {}, "", {Leaf("a", "1"), Leaf("b", "")}}}};
    XmlElement attrs{"CtrlNode", {{"type", "1"}, {"x", "a&<\"b"}}, "", {}};
    XmlElement textIgnoredWithChildren{"root", {}, "lost", {Leaf("c", "v")}};
    const Case cases[] = {
        {"empty element self-closes", Leaf("TALVEX", ""),
         CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<TALVEX/>"})},
        {"text on one line, nothing escaped", Leaf("command", "a<5 & b>\"2\""),
         CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<command>a<5 & b>\"2\"</command>"})},
        {"two blanks per level", nested,
         CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<TALVEX>", "  <record>", "    <a>1</a>",
                    "    <b/>", "  </record>", "</TALVEX>"})},
        {"attributes in order, unescaped", attrs,
         CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<CtrlNode type=\"1\" x=\"a&<\"b\"/>"})},
        {"an element with children has no value", textIgnoredWithChildren,
         CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<root>", "  <c>v</c>", "</root>"})},
        {"GBK bytes pass unchanged", Leaf("sub", "\xB1\xED"),
         CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<sub>\xB1\xED</sub>"})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteXmlText(c.root), c.expected) << c.what;
}

TEST(XmlReader, AppliesTheReadingRules)
{
    struct Case {
        const char* what;
        std::string text;
        const char* child;    // name of the root's child to look at
        const char* expected; // its value
    };
    const Case cases[] = {
        {"canonical text",
         CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<CtrlNode type=\"1\">", "  <mode>2</mode>",
                    "</CtrlNode>"}),
         "mode", "2"},
        {"no declaration, comment and doctype before the root",
         "<!-- saved by hand --><!DOCTYPE doc [<!ENTITY e \"x\">]>\n<doc><mode>7</mode></doc>", "mode", "7"},
        {"no entity decoding", "<n><c>a&lt;5 &amp; &e; &#x41;</c></n>", "c", "a&lt;5 &amp; &e; &#x41;"},
        {"leading white space dropped", "<n><c> \t\r\n x</c></n>", "c", "x"},
        {"runs of blanks become one", "<n><c>a  =  b   </c></n>", "c", "a = b "},
        {"blanks only read as empty", "<n><c>    </c></n>", "c", ""},
        {"tabs inside are kept", "<n><c>a\t\tb</c></n>", "c", "a\t\tb"},
        {"bytes above 0x7F untouched despite the declared encoding",
         "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><n><c>\xB1\xED\xFF\x80</c></n>", "c", "\xB1\xED\xFF\x80"},
        {"CDATA is text", "<n><c><![CDATA[<x>]]></c></n>", "c", "<x>"},
        {"a comment inside a value is skipped", "<n><c>1<!-- x -->2</c></n>", "c", "12"},
        {"names are found without regard to case", "<n><MODE>3</MODE></n>", "mode", "3"},
    };
    for (const Case& c : cases) {
        Result<XmlElement> result = ReadXmlText(c.text);
        ASSERT_TRUE(result) << c.what << ": " << result.Message();
        const XmlElement* child = result->FindChild(c.child);
        ASSERT_NE(child, nullptr) << c.what;
        EXPECT_EQ(child->text, c.expected) << c.what;
    }
}

TEST(XmlReader, AcceptsEitherQuoteAndKeepsAttributeBytes)
{
    Result<XmlElement> result = ReadXmlText("<CtrlNode type='28' b=\"x&amp;y\"/>");
    ASSERT_TRUE(result) << result.Message();
    EXPECT_EQ(result->name, "CtrlNode");
    ASSERT_EQ(result->attributes.size(), 2u);
    EXPECT_EQ(*result->Attribute("type"), "28");
    EXPECT_EQ(*result->Attribute("b"), "x&amp;y");
}

TEST(XmlReader, ReadsBackWhatTheWriterWrote)
{
    XmlElement root{"TALVEX", {}, "", {}};
    for (int i = 0; i < 3; ++i) {
        XmlElement node{"CtrlNode",
                        {{"type", std::to_string(i + 1)}},
                        "",
                        {Leaf("command", "a&lt;5"), Leaf("sub", "\xD6\xB1"), Leaf("e", "")}};
        root.children.push_back(XmlElement{"record", {}, "", {node}});
    }
    const std::string text = WriteXmlText(root);
    Result<XmlElement> back = ReadXmlText(text);
    ASSERT_TRUE(back) << back.Message();
    EXPECT_EQ(WriteXmlText(*back), text);
}

TEST(XmlReader, RefusesMalformedTextWithPlace)
{
    struct Case {
        const char* what;
        std::string text;
        const char* where;
    };
    const Case cases[] = {
        {"start tag without end tag", "<a>\r\n<b>1</b>\r\n", "2"},
        {"mismatched end tag", "<a>\r\n  <b>1</c>\r\n</a>", "2"},
        {"empty text", "", "1"},
        {"only a declaration", "<?xml version=\"1.0\"?>", "1"},
        {"binary garbage", std::string("\x00\x01\xFF<<>>\x7F", 9), "1"},
        {"two root elements", "<a/>\n<b/>", "2"},
        {"bad attribute", "<a b=c/>", "1"},
        {"text before the root", "junk<TALVEX/>", "1"},
        {"text after the root", "<TALVEX/>\r\njunk", "2"},
        {"NUL byte after the root", std::string("<TALVEX/>\r\n\0", 12), "2"},
        {"NUL byte inside a value", std::string("<a>\r\n<b>1\0</b></a>", 17), "2"},
    };
    for (const Case& c : cases) {
        Result<XmlElement> result = ReadXmlText(c.text);
        EXPECT_FALSE(result) << c.what;
        EXPECT_FALSE(result.Ok()) << c.what;
        const QString message = FromGbk(result.Message());
        EXPECT_TRUE(message.startsWith(QStringLiteral("XML格式错误"))) << c.what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("第%1行").arg(c.where))) << c.what << ": " << message.toStdString();
    }
}

TEST(XmlReader, SurvivesHostileInput)
{
    // Deep nesting is refused with a message instead of overflowing the stack.
    std::string deep;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    for (int i = 0; i < 200000; ++i)
        deep += "</a>";
    Result<XmlElement> deepResult = ReadXmlText(deep);
    EXPECT_FALSE(deepResult);
    EXPECT_TRUE(FromGbk(deepResult.Message()).contains(QStringLiteral("嵌套")));

    // Nesting within the limit reads.
    std::string allowed;
    for (int i = 0; i < kMaxXmlDepth; ++i)
        allowed += "<a>";
    for (int i = 0; i < kMaxXmlDepth; ++i)
        allowed += "</a>";
    EXPECT_TRUE(ReadXmlText(allowed));

    // A 5 MB value reads in full.
    const std::string big(5 * 1024 * 1024, 'x');
    Result<XmlElement> bigResult = ReadXmlText("<n><v>" + big + "</v></n>");
    ASSERT_TRUE(bigResult) << bigResult.Message();
    EXPECT_EQ(bigResult->children[0].text.size(), big.size());

    // Entities declared in a doctype are never expanded.
    Result<XmlElement> bomb = ReadXmlText("<!DOCTYPE d [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;&a;\">"
                                          "<!ENTITY c \"&b;&b;&b;&b;\">]><d><v>&c;</v></d>");
    ASSERT_TRUE(bomb) << bomb.Message();
    EXPECT_EQ(bomb->children[0].text, "&c;");

    // Many attributes.
    std::string attrs = "<n";
    for (int i = 0; i < 20000; ++i)
        attrs += " a" + std::to_string(i) + "=\"" + std::to_string(i) + "\"";
    attrs += "/>";
    Result<XmlElement> attrResult = ReadXmlText(attrs);
    ASSERT_TRUE(attrResult) << attrResult.Message();
    EXPECT_EQ(attrResult->attributes.size(), 20000u);
}
