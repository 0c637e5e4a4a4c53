#pragma once

#include "model/canvas.h"
#include "model/ctrlnode.h"
#include "model/flowlist.h"
#include "model/status.h"
#include "project/projectfile.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace talvex {

// The open project: the flowchart on its canvas, the file it belongs to, the
// snapshot of what that file holds and whether the flowchart has changed since.
// It is the one owner of these; the window shows what it announces, and every
// flowchart edit goes through it.
class Document : public QObject {
    Q_OBJECT
  public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    CanvasModel& Canvas() { return m_canvas; }
    FlowList& Flows() { return m_flowList; }
    const FlowList& Flows() const { return m_flowList; }

    // Full path of the project file; empty for an untitled document.
    const QString& CurrentFileName() const { return m_fileName; }
    void SetCurrentFileName(const QString& path);

    // The result of the last unsaved-changes check (0 or 1).
    int ModifiedFlag() const { return m_modifiedFlag; }
    void SetModifiedFlag(int flag) { m_modifiedFlag = flag ? 1 : 0; }

    // Whether the flowchart has been edited since the snapshot was taken.
    bool IsModified() const;

    // Whether the flowchart's project document differs from the snapshot; the
    // reader's message when a block's node text cannot be parsed.
    Result<bool> IsDocumentModified();
    // Takes the flowchart as the saved state; the reader's message when a
    // block cannot be described, and then no snapshot at all.
    Status TakeSnapshot();
    // A save has written exactly this document.
    void SetSnapshot(XmlElement document);
    const ProjectDocument& Snapshot() const { return m_snapshot; }

    // Flowchart edits; each one that changes something is one undoable step.
    // A block of palette item after the selected spot marker; nothing without one.
    void InsertBlock(int item);
    // Removes the block shown by object (a block panel); anything else is ignored.
    // The previous spot's marker is selected once the current event is over.
    void DeleteBlock(FcObject* object);
    // DeleteBlock on the single selection.
    void DeleteSelectedBlock();
    // Gives the block shown by object a new node text. For kinds whose caption
    // shows a parameter, caption is the caption rule's answer, and the column
    // is laid out again whether it changes or not.
    void ChangeBlock(FcObject* object, std::string nodeText, const std::optional<CaptionChange>& caption);

    // The history. After an undo or redo the block it touched (after undoing
    // an insert, the marker of the spot it went after) is selected and
    // scrolled into view.
    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    void Undo();
    void Redo();
    // New and Open start a history of their own.
    void ClearHistory();
    size_t HistorySize() const { return m_steps.size(); }

  signals:
    void fileNameChanged(const QString& fileName);
    void modifiedChanged(bool modified);
    // CanUndo or CanRedo may have changed.
    void historyChanged();

  private:
    // One edit, as positions and the block's state around it; never a copy of
    // the flowchart. index is the block panel's position in the FlowList.
    struct Step {
        enum class Kind : uint8_t { Insert, Delete, Change } kind;
        int index;
        BlockState before; // Delete, Change
        BlockState after;  // Insert, Change
    };
    void Push(Step step);
    void Apply(const Step& step, bool forward);
    void MarkSaved(bool saved);
    void UpdateModified();

    CanvasModel m_canvas;
    FlowList m_flowList{m_canvas};
    QString m_fileName;
    int m_modifiedFlag = 0;
    ProjectDocument m_snapshot;
    ProjectDocument m_comparison;
    std::vector<Step> m_steps;
    size_t m_done = 0; // steps applied; the rest can be redone
    // m_done when the snapshot was taken; -1 once that state cannot come back.
    long long m_savedAt = 0;
    bool m_modified = false;
};

} // namespace talvex
