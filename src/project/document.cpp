#include "project/document.h"

namespace talvex {

Document::Document(QObject* parent) : QObject(parent)
{
    m_canvas.Color = kCanvasColor;
    m_canvas.OnSelection = [this](FcObject* object, FcConnection* connection, bool& allow) {
        m_flowList.SelectionFilter(object, connection, allow);
    };
}

Document::~Document()
{
    // The filter refers to the FlowList, which goes first.
    m_canvas.OnSelection = nullptr;
}

void Document::SetCurrentFileName(const QString& path)
{
    const bool changed = path != m_fileName;
    m_fileName = path;
    if (changed)
        emit fileNameChanged(m_fileName);
}

bool Document::IsModified() const
{
    return m_modified;
}

Result<bool> Document::IsDocumentModified()
{
    XmlElement current;
    if (Status status = BuildProjectDocument(m_flowList, current); !status)
        return status;
    m_comparison = std::move(current);
    return SerialiseProject(m_snapshot) != SerialiseProject(m_comparison);
}

Status Document::TakeSnapshot()
{
    XmlElement document;
    Status status = BuildProjectDocument(m_flowList, document);
    if (!status) {
        // A snapshot that cannot describe the flowchart must not claim it is saved.
        m_snapshot.reset();
        MarkSaved(false);
        return status;
    }
    m_snapshot = std::move(document);
    MarkSaved(true);
    return status;
}

void Document::SetSnapshot(XmlElement document)
{
    m_snapshot = std::move(document);
    MarkSaved(true);
}

void Document::MarkSaved(bool saved)
{
    m_savedRevision = saved ? m_revision : -1;
    UpdateModified();
}

void Document::Edited()
{
    ++m_revision;
    UpdateModified();
}

void Document::UpdateModified()
{
    const bool modified = m_revision != m_savedRevision;
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(m_modified);
}

void Document::InsertBlock(int item)
{
    const int before = m_flowList.Count();
    m_flowList.InsertBlock(item);
    if (m_flowList.Count() != before)
        Edited();
}

void Document::DeleteBlock(FcObject* object)
{
    const int before = m_flowList.Count();
    m_flowList.DeleteBlock(object);
    if (m_flowList.Count() != before)
        Edited();
}

void Document::ChangeBlock(FcObject* object, std::string nodeText, const std::optional<CaptionChange>& caption)
{
    if (m_flowList.IndexOfPanelObject(object) == -1)
        return;
    const bool newNode = object->CtrlNodeText != nodeText;
    const bool newCaption =
        caption && caption->changes && (object->Text() != caption->caption || object->Height() != caption->height);
    object->CtrlNodeText = std::move(nodeText);
    if (newCaption) {
        object->SetText(caption->caption);
        m_flowList.SetBlockHeight(object, caption->height);
    }
    if (caption)
        m_flowList.RelayoutFlowchart();
    if (newNode || newCaption)
        Edited();
}

} // namespace talvex
