#include "project/projectfile.h"

#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "project/filebytes.h"
#include "project/loader.h"

namespace talvex {

std::optional<std::string> BuildProjectDocument(const std::vector<std::string_view>& nodeTexts, XmlElement& target)
{
    XmlElement root;
    root.name = "TALVEX";
    root.children.reserve(nodeTexts.size());
    for (std::string_view text : nodeTexts) {
        XmlReadResult node = ParseCtrlNode(text);
        if (!node)
            return node.error;
        XmlElement record;
        record.name = "record";
        record.children.push_back(std::move(*node.root));
        root.children.push_back(std::move(record));
    }
    target = std::move(root);
    return std::nullopt;
}

std::optional<std::string> BuildProjectDocument(const FlowList& flowchart, XmlElement& target)
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

XmlReadResult ReadProjectFile(const QString& fileName)
{
    std::string bytes;
    if (std::optional<std::string> error = ReadWholeFile(fileName, bytes)) {
        XmlReadResult failed;
        failed.error = std::move(*error);
        return failed;
    }
    XmlReadResult document = ReadXmlText(bytes);
    if (document) {
        if (std::optional<std::string> unreadable = UnreadableRecordMessage(*document.root)) {
            document.root.reset();
            document.error = std::move(*unreadable);
        }
    }
    return document;
}

std::optional<std::string> WriteProjectFile(const XmlElement& document, const QString& fileName)
{
    return WriteWholeFile(fileName, WriteXmlText(document));
}

} // namespace talvex
