#include "project/projectfile.h"

#include "model/ctrlnode.h"
#include "model/flowchart.h"
#include "project/filebytes.h"

namespace talvex {

std::optional<std::string> BuildProjectDocument(const Flowchart& flowchart, XmlElement& target)
{
    XmlElement root;
    root.name = "TALVEX";
    const std::vector<FcObject*> blocks = flowchart.BlockObjects();
    root.children.reserve(blocks.size());
    for (const FcObject* object : blocks) {
        XmlReadResult node = ParseCtrlNode(object->CtrlNodeText);
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
    return ReadXmlText(bytes);
}

std::optional<std::string> WriteProjectFile(const XmlElement& document, const QString& fileName)
{
    return WriteWholeFile(fileName, WriteXmlText(document));
}

} // namespace talvex
