#include "project/projectfile.h"

#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "project/filebytes.h"
#include "project/loader.h"

namespace talvex {

Status BuildProjectDocument(const std::vector<std::string_view>& nodeTexts, XmlElement& target)
{
    XmlElement root;
    root.name = "TALVEX";
    root.children.reserve(nodeTexts.size());
    for (std::string_view text : nodeTexts) {
        Result<XmlElement> node = ParseCtrlNode(text);
        if (!node)
            return node.GetStatus();
        XmlElement record;
        record.name = "record";
        record.children.push_back(std::move(*node));
        root.children.push_back(std::move(record));
    }
    target = std::move(root);
    return Status();
}

Status BuildProjectDocument(const FlowList& flowchart, XmlElement& target)
{
    std::vector<std::string_view> texts;
    for (const FcObject* object : flowchart.BlockObjects())
        texts.push_back(object->CtrlNodeText);
    return BuildProjectDocument(texts, target);
}

std::string SerialiseProject(const ProjectDocument& document)
{
    return document ? WriteXmlText(*document) : XmlDeclarationLine();
}

Result<XmlElement> ReadProjectFile(const QString& fileName)
{
    Result<std::string> bytes = ReadWholeFile(fileName);
    if (!bytes)
        return bytes.GetStatus();
    Result<XmlElement> document = ReadXmlText(*bytes);
    if (!document)
        return document;
    if (Status readable = EveryRecordReadsBack(*document); !readable)
        return readable;
    return document;
}

Status WriteProjectFile(const XmlElement& document, const QString& fileName)
{
    return WriteWholeFile(fileName, WriteXmlText(document));
}

} // namespace talvex
