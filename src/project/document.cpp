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
    m_savedAt = saved ? static_cast<long long>(m_done) : -1;
    UpdateModified();
}

void Document::UpdateModified()
{
    const bool modified = static_cast<long long>(m_done) != m_savedAt;
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(m_modified);
}

void Document::Push(Step step)
{
    // A new edit ends the redo branch; a snapshot taken on it cannot come back.
    if (m_savedAt > static_cast<long long>(m_done))
        m_savedAt = -1;
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_done), m_steps.end());
    m_steps.push_back(std::move(step));
    m_done = m_steps.size();
    UpdateModified();
    emit historyChanged();
}

void Document::ClearHistory()
{
    m_steps.clear();
    m_steps.shrink_to_fit();
    m_done = 0;
    m_savedAt = 0;
    UpdateModified();
    emit historyChanged();
}

void Document::InsertBlock(int item)
{
    const int before = m_flowList.Count();
    m_flowList.InsertBlock(item);
    if (m_flowList.Count() == before)
        return;
    const int index = m_flowList.IndexOfPanelObject(m_canvas.SingleSelection());
    Push({Step::Kind::Insert, index, {}, m_flowList.RecordAt(index)});
}

void Document::DeleteBlock(FcObject* object)
{
    const int index = m_flowList.IndexOfPanelObject(object);
    if (index == -1)
        return;
    BlockState record = m_flowList.RecordAt(index);
    m_flowList.DeleteBlock(object);
    Push({Step::Kind::Delete, index, std::move(record), {}});
}

void Document::DeleteSelectedBlock()
{
    DeleteBlock(m_canvas.SingleSelection());
}

void Document::ChangeBlock(FcObject* object, std::string nodeText, const std::optional<CaptionChange>& caption)
{
    const int index = m_flowList.IndexOfPanelObject(object);
    if (index == -1)
        return;
    BlockState before = m_flowList.RecordAt(index);
    object->CtrlNodeText = std::move(nodeText);
    if (caption && caption->changes) {
        object->SetText(caption->caption);
        m_flowList.SetBlockHeight(object, caption->height);
    }
    if (caption)
        m_flowList.RelayoutFlowchart();
    BlockState after = m_flowList.RecordAt(index);
    if (after == before)
        return;
    Push({Step::Kind::Change, index, std::move(before), std::move(after)});
}

void Document::Undo()
{
    if (!CanUndo())
        return;
    --m_done;
    Apply(m_steps[m_done], false);
    UpdateModified();
    emit historyChanged();
}

void Document::Redo()
{
    if (!CanRedo())
        return;
    Apply(m_steps[m_done], true);
    ++m_done;
    UpdateModified();
    emit historyChanged();
}

void Document::Apply(const Step& step, bool forward)
{
    FcObject* shown = nullptr;
    const bool place = (step.kind == Step::Kind::Insert) == forward;
    switch (step.kind) {
    case Step::Kind::Insert:
    case Step::Kind::Delete:
        if (place) {
            shown = m_flowList.PlaceBlock(step.index, forward ? step.after : step.before);
        } else {
            m_flowList.RemoveBlockAt(step.index);
            if (FlowItem* spot = m_flowList.Item(step.index - 1); spot && spot->Class() == ItemClass::NormalSpot)
                shown = static_cast<TNormalSpot*>(spot)->Marker;
        }
        break;
    case Step::Kind::Change:
        m_flowList.RestoreBlock(step.index, forward ? step.after : step.before);
        if (FlowItem* panel = m_flowList.Item(step.index); panel && panel->Class() == ItemClass::SeqPanel)
            shown = static_cast<TSeqPanel*>(panel)->Object;
        break;
    }
    m_canvas.SelectExclusively(shown);
    m_canvas.ScrollIntoView(shown);
}

} // namespace talvex
