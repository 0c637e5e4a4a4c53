#include "model/xmltext.h"

#include "model/gbk.h"

#include <pugixml.hpp>

#include <cstring>
#include <utility>

namespace talvex {

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

void AppendLine(std::string& out, const std::string& indent, std::string_view content)
{
    out += indent;
    out += content;
    out += "\r\n";
}

void AppendAttributes(std::string& out, const XmlElement& element)
{
    for (const auto& [name, value] : element.attributes) {
        out += ' ';
        out += name;
        out += "=\"";
        out += value;
        out += '"';
    }
}

// Values lose their leading white space and every run of blanks shrinks to
// one blank, as the original reader did.
std::string NormaliseValue(std::string_view raw)
{
    size_t start = 0;
    while (start < raw.size() && (raw[start] == ' ' || raw[start] == '\t' || raw[start] == '\r' || raw[start] == '\n'))
        ++start;
    std::string value;
    value.reserve(raw.size() - start);
    for (size_t i = start; i < raw.size(); ++i) {
        if (raw[i] == ' ' && !value.empty() && value.back() == ' ')
            continue;
        value += raw[i];
    }
    return value;
}

const char* StatusText(pugi::xml_parse_status status)
{
    switch (status) {
    case pugi::status_out_of_memory:
        return "内存不足";
    case pugi::status_unrecognized_tag:
        return "无法识别的标签";
    case pugi::status_bad_pi:
        return "处理指令或声明格式错误";
    case pugi::status_bad_comment:
        return "注释格式错误";
    case pugi::status_bad_cdata:
        return "CDATA段格式错误";
    case pugi::status_bad_doctype:
        return "文档类型声明格式错误";
    case pugi::status_bad_pcdata:
        return "文本内容格式错误";
    case pugi::status_bad_start_element:
        return "起始标签格式错误";
    case pugi::status_bad_attribute:
        return "属性格式错误";
    case pugi::status_bad_end_element:
        return "结束标签格式错误";
    case pugi::status_end_element_mismatch:
        return "结束标签与起始标签不匹配, 或元素没有结束标签";
    case pugi::status_no_document_element:
        return "文档中没有根元素";
    default:
        return "无法读取的XML文本";
    }
}

std::string ErrorAt(const char* whatUtf8, std::string_view bytes, size_t offset)
{
    if (offset > bytes.size())
        offset = bytes.size();
    size_t line = 1;
    size_t column = 1;
    for (size_t i = 0; i < offset; ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return Gbk(std::string("XML格式错误: ") + whatUtf8 + " (第" + std::to_string(line) + "行, 第" +
               std::to_string(column) + "列)");
}

} // namespace

XmlElement* XmlElement::FindChild(std::string_view childName)
{
    for (XmlElement& child : children)
        if (EqualsNoCase(child.name, childName))
            return &child;
    return nullptr;
}

const XmlElement* XmlElement::FindChild(std::string_view childName) const
{
    for (const XmlElement& child : children)
        if (EqualsNoCase(child.name, childName))
            return &child;
    return nullptr;
}

const std::string* XmlElement::Attribute(std::string_view attrName) const
{
    for (const auto& attribute : attributes)
        if (attribute.first == attrName)
            return &attribute.second;
    return nullptr;
}

const std::string& XmlDeclarationLine()
{
    static const std::string line = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";
    return line;
}

void AppendXmlElement(std::string& out, const XmlElement& element, std::string& indent)
{
    std::string head = "<" + element.name;
    AppendAttributes(head, element);
    if (!element.children.empty()) {
        AppendLine(out, indent, head + ">");
        indent += "  ";
        for (const XmlElement& child : element.children)
            AppendXmlElement(out, child, indent);
        indent.resize(indent.size() - 2);
        AppendLine(out, indent, "</" + element.name + ">");
    } else if (!element.text.empty()) {
        AppendLine(out, indent, head + ">" + element.text + "</" + element.name + ">");
    } else {
        AppendLine(out, indent, head + "/>");
    }
}

std::string WriteXmlText(const XmlElement& root)
{
    std::string out = XmlDeclarationLine();
    std::string indent;
    AppendXmlElement(out, root, indent);
    return out;
}

Result<XmlElement> ReadXmlText(std::string_view bytes)
{
    pugi::xml_document document;
    // Parsed in place so that node names point into our copy and give offsets
    // for messages. No escapes, no end-of-line or attribute normalisation:
    // values keep their bytes. Forcing UTF-8 keeps pugixml from converting GBK
    // bytes because the declaration says iso-8859-1.
    // XML has no NUL character; the parser would take one for the end of the text.
    if (const size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        return Status::Failure(ErrorAt("文件中含有空字节(0x00)", bytes, nul));
    std::string buffer(bytes);
    // Comments and processing instructions are kept so that a record that
    // starts with one can be told apart from one that starts with its node;
    // text outside the root is kept (fragment mode) so that it can be refused.
    const unsigned options = pugi::parse_cdata | pugi::parse_comments | pugi::parse_pi | pugi::parse_fragment;
    pugi::xml_parse_result parsed =
        document.load_buffer_inplace(buffer.data(), buffer.size(), options, pugi::encoding_utf8);
    if (!parsed) {
        return Status::Failure(ErrorAt(StatusText(parsed.status), bytes, static_cast<size_t>(parsed.offset)));
    }

    pugi::xml_node rootNode;
    for (pugi::xml_node node = document.first_child(); node; node = node.next_sibling()) {
        if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
            size_t offset = static_cast<size_t>(node.value() - buffer.data());
            while (offset < bytes.size() &&
                   (bytes[offset] == ' ' || bytes[offset] == '\t' || bytes[offset] == '\r' || bytes[offset] == '\n'))
                ++offset;
            return Status::Failure(ErrorAt("根元素之外不能有文本", bytes, offset));
        }
        if (node.type() != pugi::node_element)
            continue;
        if (rootNode) {
            const size_t offset = static_cast<size_t>(node.name() - buffer.data());
            return Status::Failure(ErrorAt("根元素之后还有另一个元素", bytes, offset > 0 ? offset - 1 : 0));
        }
        rootNode = node;
    }
    if (!rootNode) {
        return Status::Failure(ErrorAt(StatusText(pugi::status_no_document_element), bytes, bytes.size()));
    }

    // Copy without recursion; the depth limit keeps later recursive walks
    // (writing, copying, freeing) bounded.
    XmlElement root;
    struct Frame {
        pugi::xml_node source;
        XmlElement* target;
        int depth;
    };
    std::vector<Frame> stack;
    stack.push_back({rootNode, &root, 1});
    while (!stack.empty()) {
        Frame frame = stack.back();
        stack.pop_back();
        XmlElement& target = *frame.target;
        target.name = frame.source.name();
        for (pugi::xml_attribute attr = frame.source.first_attribute(); attr; attr = attr.next_attribute())
            target.attributes.emplace_back(attr.name(), attr.value());
        const pugi::xml_node first = frame.source.first_child();
        target.leadsWithNonElement = first && first.type() != pugi::node_element;
        std::string raw;
        size_t elementCount = 0;
        for (pugi::xml_node child = frame.source.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_element)
                ++elementCount;
            else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
                raw += child.value();
        }
        if (elementCount == 0) {
            target.text = NormaliseValue(raw);
            continue;
        }
        if (frame.depth >= kMaxXmlDepth) {
            const size_t offset = static_cast<size_t>(frame.source.name() - buffer.data());
            return Status::Failure(ErrorAt("元素嵌套层数过多", bytes, offset > 0 ? offset - 1 : 0));
        }
        target.children.resize(elementCount);
        size_t index = 0;
        for (pugi::xml_node child = frame.source.first_child(); child; child = child.next_sibling())
            if (child.type() == pugi::node_element)
                stack.push_back({child, &target.children[index++], frame.depth + 1});
    }
    return root;
}

} // namespace talvex
