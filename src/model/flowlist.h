#pragma once

#include "model/canvas.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace talvex {

// The four FlowList item classes. They share no behaviour; the tag lets every
// operation test an item's class in the fixed order start, end, spot, panel.
enum class ItemClass { StartPanel, EndPanel, NormalSpot, SeqPanel };

class FlowItem {
  public:
    virtual ~FlowItem() = default;
    ItemClass Class() const { return m_class; }

  protected:
    explicit FlowItem(ItemClass cls) : m_class(cls) {}

  private:
    ItemClass m_class;
};

// Common record of the three panel classes.
class PanelItem : public FlowItem {
  public:
    ~PanelItem() override;
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Width = 90;
    int32_t Height = 32;
    FcObject* Object = nullptr;

  protected:
    PanelItem(ItemClass cls, CanvasModel& canvas);
    CanvasModel& m_canvas;
};

class TStartPanel : public PanelItem {
  public:
    explicit TStartPanel(CanvasModel& canvas);
};

class TEndPanel : public PanelItem {
  public:
    explicit TEndPanel(CanvasModel& canvas);
};

class TSeqPanel : public PanelItem {
  public:
    TSeqPanel(CanvasModel& canvas, const std::string& caption);
};

class TNormalSpot : public FlowItem {
  public:
    explicit TNormalSpot(CanvasModel& canvas);
    ~TNormalSpot() override;
    FcObject* EntryPoint = nullptr;
    FcObject* ExitPoint = nullptr;
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Width = 90;
    int32_t Height = 32;
    FcObject* Base = nullptr;
    FcObject* Marker = nullptr;

  private:
    CanvasModel& m_canvas;
};

// Geometry and colours of the column.
constexpr int32_t kColumnLeft = 70;
constexpr int32_t kColumnTop = 16;
constexpr int32_t kPanelWidth = 90;
constexpr int32_t kPanelHeight = 32;
constexpr int32_t kTallPanelHeight = 40;
constexpr Rgb kTerminalFill{255, 255, 0};
constexpr Rgb kPanelFill{0, 128, 128};
constexpr Rgb kMarkerFill{255, 235, 170};
constexpr Rgb kCanvasColor{166, 202, 240};
extern const char* const kPanelFontUtf8; // "宋体"

// A block as the FlowList shows it: enough to put it back exactly.
struct BlockState {
    int32_t typeCode = 0;
    std::string caption; // GBK
    int32_t height = kPanelHeight;
    std::string nodeText;
    friend bool operator==(const BlockState& a, const BlockState& b)
    {
        return a.typeCode == b.typeCode && a.caption == b.caption && a.height == b.height && a.nodeText == b.nodeText;
    }
};

// The FlowList and the model operations on it. The main window owns one, with
// its canvas; everything here runs without a screen.
class FlowList {
  public:
    explicit FlowList(CanvasModel& canvas);
    ~FlowList();
    FlowList(const FlowList&) = delete;
    FlowList& operator=(const FlowList&) = delete;

    CanvasModel& Canvas() const { return m_canvas; }
    const std::vector<std::unique_ptr<FlowItem>>& Items() const { return m_items; }
    int Count() const { return static_cast<int>(m_items.size()); }
    FlowItem* Item(int index) const; // nullptr outside the list

    // Every block panel's diagram object, in FlowList order.
    std::vector<FcObject*> BlockObjects() const;

    void BuildNewFlowchart();
    void RelayoutFlowchart();
    void SetItemLeft(FlowItem* item, int32_t left);
    void SetItemPosition(FlowItem* item, int32_t left, int32_t top);
    void MoveShapeGroup(FcObject* object, int32_t left, int32_t top);
    void SetBlockHeight(FcObject* object, int32_t height);
    int IndexOfPanelObject(const FcObject* object) const;
    int IndexOfSpotMarker(const FcObject* object) const;
    int IndexOfSpotBase(const FcObject* object) const;
    int32_t ItemLeft(const FlowItem* item) const;
    int32_t ItemHeight(const FlowItem* item) const;

    void InsertBlock(int item);
    void AppendBlock(int item);
    void DeleteBlock(FcObject* object);
    void ClearFlowchart();

    // The block at index; type code 0 when index holds no block.
    BlockState RecordAt(int index) const;
    // Puts a block at index, which must follow a spot, with a new spot after
    // it, and lays the column out; returns its diagram object (nullptr when
    // index does not follow a spot).
    FcObject* PlaceBlock(int index, const BlockState& record);
    // Removes the block at index and the spot after it, and lays the column out.
    bool RemoveBlockAt(int index);
    // Gives the block at index the record's caption, height and node text.
    void RestoreBlock(int index, const BlockState& record);

    // Selection filter (dxFlowChart1Selection); installed on the canvas.
    void SelectionFilter(FcObject* object, FcConnection* connection, bool& allow) const;
    // Handler of the deferred selection request: selects PendingSelection, or
    // nothing when that object has gone in the meantime.
    void DeferredSelect();
    // How a deferred selection is posted; the main window queues it on its own
    // event loop. Without one, tests call DeferredSelect() themselves.
    std::function<void()> PostDeferredSelect;

    ObjectId PendingSelection = kNoObject;
    FcObject* StartObject = nullptr;
    FcObject* EndObject = nullptr;
    FcObject* LastAppendedObject = nullptr;

  private:
    std::unique_ptr<TSeqPanel> NewBlockPanel(int item, bool withDefaultNode);
    void MoveGroup(FcObject* object, int32_t left, int32_t top);

    CanvasModel& m_canvas;
    std::vector<std::unique_ptr<FlowItem>> m_items;
    std::vector<FcObject*> m_scratch;
    std::vector<FcObject*> m_pending;
};

} // namespace talvex
