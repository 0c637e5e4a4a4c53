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

    // Flowchart edits.
    // A block of palette item after the selected spot marker; nothing without one.
    void InsertBlock(int item);
    // Removes the block shown by object (a block panel); anything else is ignored.
    void DeleteBlock(FcObject* object);
    // Gives the block shown by object a new node text. For kinds whose caption
    // shows a parameter, caption is the caption rule's answer, and the column
    // is laid out again whether it changes or not.
    void ChangeBlock(FcObject* object, std::string nodeText, const std::optional<CaptionChange>& caption);

  signals:
    void fileNameChanged(const QString& fileName);
    void modifiedChanged(bool modified);

  private:
    void Edited();
    void MarkSaved(bool saved);
    void UpdateModified();

    CanvasModel m_canvas;
    FlowList m_flowList{m_canvas};
    QString m_fileName;
    int m_modifiedFlag = 0;
    ProjectDocument m_snapshot;
    ProjectDocument m_comparison;
    // Edits so far, and their count when the snapshot was taken (-1: never).
    long long m_revision = 0;
    long long m_savedRevision = 0;
    bool m_modified = false;
};

} // namespace talvex
