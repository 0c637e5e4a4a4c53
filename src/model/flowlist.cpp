#include "model/flowlist.h"

#include "model/catalog.h"
#include "model/ctrlnode.h"
#include "model/gbk.h"

namespace talvex {

const char* const kPanelFontUtf8 = "宋体";

namespace {

FcFont PanelFont(Rgb color)
{
    static const std::string face = Gbk(kPanelFontUtf8);
    return FcFont{face, -16, true, color};
}

// Keeps the canvas from repainting while a model operation moves many objects.
class UpdateBracket {
  public:
    explicit UpdateBracket(CanvasModel& canvas) : m_canvas(canvas) { m_canvas.BeginCanvasUpdate(); }
    ~UpdateBracket() { m_canvas.EndCanvasUpdate(); }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;

  private:
    CanvasModel& m_canvas;
};

PanelItem* AsPanel(FlowItem* item)
{
    if (!item)
        return nullptr;
    switch (item->Class()) {
    case ItemClass::StartPanel:
    case ItemClass::EndPanel:
    case ItemClass::SeqPanel:
        return static_cast<PanelItem*>(item);
    case ItemClass::NormalSpot:
        return nullptr;
    }
    return nullptr;
}

const PanelItem* AsPanel(const FlowItem* item)
{
    return AsPanel(const_cast<FlowItem*>(item));
}

TNormalSpot* AsSpot(FlowItem* item)
{
    return item && item->Class() == ItemClass::NormalSpot ? static_cast<TNormalSpot*>(item) : nullptr;
}

const TNormalSpot* AsSpot(const FlowItem* item)
{
    return AsSpot(const_cast<FlowItem*>(item));
}

} // namespace

PanelItem::PanelItem(ItemClass cls, CanvasModel& canvas) : FlowItem(cls), m_canvas(canvas)
{
    const TShapeKind shape = cls == ItemClass::SeqPanel ? skRectangle : skRoundRect;
    Object = m_canvas.AddShape(0, 0, kPanelWidth, kPanelHeight, shape);
}

PanelItem::~PanelItem()
{
    m_canvas.RemoveShape(Object);
}

TStartPanel::TStartPanel(CanvasModel& canvas) : PanelItem(ItemClass::StartPanel, canvas)
{
    Object->SetText(KindCaption(bkStart));
    Object->SetTextAlign(taCenter, taCenter);
    Object->SetFillColor(kTerminalFill);
    Object->SetFont(PanelFont(Rgb{0, 0, 0}));
    Object->TypeCode = bkStart;
}

TEndPanel::TEndPanel(CanvasModel& canvas) : PanelItem(ItemClass::EndPanel, canvas)
{
    Object->SetText(KindCaption(bkEnd));
    Object->SetTextAlign(taCenter, taCenter);
    Object->SetFillColor(kTerminalFill);
    Object->SetFont(PanelFont(Rgb{0, 0, 0}));
    Object->TypeCode = bkEnd;
}

TSeqPanel::TSeqPanel(CanvasModel& canvas, const std::string& caption) : PanelItem(ItemClass::SeqPanel, canvas)
{
    Object->SetText(caption);
    Object->SetFillColor(kPanelFill);
    Object->SetBevel(kEdgeRaised, kBorderRect);
    Object->SetTextAlign(taCenter, taCenter);
    Object->SetFont(PanelFont(Rgb{255, 255, 255}));
}

TNormalSpot::TNormalSpot(CanvasModel& canvas) : FlowItem(ItemClass::NormalSpot), m_canvas(canvas)
{
    Base = m_canvas.AddShape(0, 0, kPanelWidth, kPanelHeight, skNone);
    Marker = m_canvas.AddShape(25, 9, 40, 14, skRectangle);
    Marker->SetFillColor(kMarkerFill);
    Marker->SetBevel(kEdgeRaised, kBorderRect);
    Marker->TypeCode = bkSpot;
    m_canvas.AddChildShape(Base, Marker);
    EntryPoint = m_canvas.AddShape(0, 0, 0, 0, skNone);
    m_canvas.AddChildShape(Base, EntryPoint);
    ExitPoint = m_canvas.AddShape(0, 0, 0, 0, skNone);
    m_canvas.AddChildShape(Base, ExitPoint);
    EntryPoint->SetBounds(45, -1, 0, 0);
    ExitPoint->SetBounds(45, 32, 0, 0);
    m_canvas.AddLink(EntryPoint, 0, Marker, 2);
    m_canvas.AddLink(Marker, 10, ExitPoint, 0);
}

TNormalSpot::~TNormalSpot()
{
    m_canvas.RemoveShape(EntryPoint);
    m_canvas.RemoveShape(ExitPoint);
    m_canvas.RemoveShape(Base);
    m_canvas.RemoveShape(Marker);
}

FlowList::FlowList(CanvasModel& canvas) : m_canvas(canvas) {}

FlowList::~FlowList()
{
    ClearFlowchart();
}

FlowItem* FlowList::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

std::vector<FcObject*> FlowList::BlockObjects() const
{
    std::vector<FcObject*> objects;
    objects.reserve(m_items.size() / 2);
    for (const auto& item : m_items)
        if (item->Class() == ItemClass::SeqPanel)
            objects.push_back(static_cast<TSeqPanel*>(item.get())->Object);
    return objects;
}

void FlowList::BuildNewFlowchart()
{
    UpdateBracket bracket(m_canvas);
    m_items.clear();
    auto* start = static_cast<TStartPanel*>(m_items.emplace_back(std::make_unique<TStartPanel>(m_canvas)).get());
    auto* spot = static_cast<TNormalSpot*>(m_items.emplace_back(std::make_unique<TNormalSpot>(m_canvas)).get());
    auto* end = static_cast<TEndPanel*>(m_items.emplace_back(std::make_unique<TEndPanel>(m_canvas)).get());
    m_canvas.SelectExclusively(spot->Marker);
    SetItemLeft(start, kColumnLeft);
    SetItemLeft(spot, kColumnLeft);
    SetItemLeft(end, kColumnLeft);
    RelayoutFlowchart();
    StartObject = start->Object;
    EndObject = end->Object;
}

void FlowList::RelayoutFlowchart()
{
    UpdateBracket bracket(m_canvas);
    int32_t y = kColumnTop;
    for (const auto& item : m_items) {
        SetItemPosition(item.get(), ItemLeft(item.get()), y);
        y += ItemHeight(item.get());
    }
}

void FlowList::SetItemLeft(FlowItem* item, int32_t left)
{
    if (PanelItem* panel = AsPanel(item)) {
        panel->Object->SetLeft(left);
        panel->Left = left;
    } else if (TNormalSpot* spot = AsSpot(item)) {
        MoveGroup(spot->Base, left, spot->Base->Top());
        spot->Marker->SetLeft(spot->Base->Left() + 25);
        spot->Marker->SetTop(spot->Base->Top() + 9);
        spot->Left = left;
    }
}

void FlowList::SetItemPosition(FlowItem* item, int32_t left, int32_t top)
{
    if (PanelItem* panel = AsPanel(item)) {
        panel->Object->SetLeft(left);
        panel->Object->SetTop(top);
        panel->Left = left;
        panel->Top = top;
    } else if (TNormalSpot* spot = AsSpot(item)) {
        MoveGroup(spot->Base, left, top);
        spot->Marker->SetLeft(spot->Base->Left() + 25);
        spot->Marker->SetTop(spot->Base->Top() + 9);
        spot->Left = left;
        spot->Top = top;
    }
}

void FlowList::MoveShapeGroup(FcObject* object, int32_t left, int32_t top)
{
    if (m_canvas.Owns(object))
        MoveGroup(object, left, top);
}

void FlowList::MoveGroup(FcObject* object, int32_t left, int32_t top)
{
    const int32_t dx = left - object->Left();
    const int32_t dy = top - object->Top();
    m_scratch.clear();
    // Pre-order, depth first, without recursion; both lists are reused
    // because relayout moves every spot.
    m_pending.clear();
    m_pending.push_back(object);
    while (!m_pending.empty()) {
        FcObject* current = m_pending.back();
        m_pending.pop_back();
        m_scratch.push_back(current);
        for (int i = current->ChildCount(); i-- > 0;)
            m_pending.push_back(current->Child(i));
    }
    for (FcObject* moved : m_scratch) {
        moved->SetLeft(moved->Left() + dx);
        moved->SetTop(moved->Top() + dy);
    }
}

void FlowList::SetBlockHeight(FcObject* object, int32_t height)
{
    // From the back: the loader sizes the block it has just appended.
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        FlowItem* item = it->get();
        if (item->Class() != ItemClass::SeqPanel)
            continue;
        auto* panel = static_cast<TSeqPanel*>(item);
        if (panel->Object == object) {
            object->SetHeight(height);
            panel->Height = height;
            return;
        }
    }
}

int FlowList::IndexOfPanelObject(const FcObject* object) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i]->Class() == ItemClass::SeqPanel && static_cast<TSeqPanel*>(m_items[i].get())->Object == object)
            return static_cast<int>(i);
    return -1;
}

int FlowList::IndexOfSpotMarker(const FcObject* object) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (const TNormalSpot* spot = AsSpot(m_items[i].get()); spot && spot->Marker == object)
            return static_cast<int>(i);
    return -1;
}

int FlowList::IndexOfSpotBase(const FcObject* object) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (const TNormalSpot* spot = AsSpot(m_items[i].get()); spot && spot->Base == object)
            return static_cast<int>(i);
    return -1;
}

int32_t FlowList::ItemLeft(const FlowItem* item) const
{
    if (const PanelItem* panel = AsPanel(item))
        return panel->Left;
    if (const TNormalSpot* spot = AsSpot(item))
        return spot->Left;
    return 0;
}

int32_t FlowList::ItemHeight(const FlowItem* item) const
{
    if (const PanelItem* panel = AsPanel(item))
        return panel->Object->Height();
    if (const TNormalSpot* spot = AsSpot(item))
        return spot->Base->Height();
    return 0;
}

std::unique_ptr<TSeqPanel> FlowList::NewBlockPanel(int item, bool withDefaultNode)
{
    const BlockInfo* info = FindPaletteItem(item);
    auto panel = std::make_unique<TSeqPanel>(m_canvas, info->caption);
    panel->Object->TypeCode = info->code;
    if (withDefaultNode)
        panel->Object->CtrlNodeText = DefaultCtrlNode(info->code);
    return panel;
}

void FlowList::InsertBlock(int item)
{
    const BlockInfo* info = FindPaletteItem(item);
    if (!info || !info->isBlock)
        return;
    FcObject* selected = m_canvas.SingleSelection();
    if (!selected || IndexOfSpotMarker(selected) == -1 || selected->TypeCode != bkSpot)
        return;
    UpdateBracket bracket(m_canvas);
    auto spot = std::make_unique<TNormalSpot>(m_canvas);
    SetItemLeft(spot.get(), kColumnLeft);
    m_items.insert(m_items.begin() + IndexOfSpotMarker(selected) + 1, std::move(spot));
    std::unique_ptr<TSeqPanel> owned = NewBlockPanel(item, true);
    TSeqPanel* panel = owned.get();
    SetItemLeft(panel, kColumnLeft);
    m_items.insert(m_items.begin() + IndexOfSpotMarker(selected) + 1, std::move(owned));
    RelayoutFlowchart();
    m_canvas.SelectExclusively(panel->Object);
    m_canvas.ScrollIntoView(panel->Object);
}

void FlowList::AppendBlock(int item)
{
    const BlockInfo* info = FindPaletteItem(item);
    if (!info || !info->isBlock || m_items.empty())
        return;
    UpdateBracket bracket(m_canvas);
    const auto k = static_cast<std::ptrdiff_t>(m_items.size());
    auto spot = std::make_unique<TNormalSpot>(m_canvas);
    SetItemLeft(spot.get(), kColumnLeft);
    m_items.insert(m_items.begin() + (k - 1), std::move(spot));
    std::unique_ptr<TSeqPanel> panel = NewBlockPanel(item, info->hasDefaultNode);
    SetItemLeft(panel.get(), kColumnLeft);
    LastAppendedObject = panel->Object;
    m_items.insert(m_items.begin() + (k - 1), std::move(panel));
}

void FlowList::DeleteBlock(FcObject* object)
{
    if (!object)
        return;
    const int i = IndexOfPanelObject(object);
    if (i == -1)
        return;
    UpdateBracket bracket(m_canvas);
    RemoveBlockAt(i);
    if (TNormalSpot* previous = AsSpot(Item(i - 1))) {
        m_canvas.ScrollIntoView(previous->Marker);
        PendingSelection = previous->Marker->Id();
        if (PostDeferredSelect)
            PostDeferredSelect();
    }
}

bool FlowList::RemoveBlockAt(int i)
{
    FlowItem* item = Item(i);
    if (!item || item->Class() != ItemClass::SeqPanel)
        return false;
    UpdateBracket bracket(m_canvas);
    const auto at = static_cast<std::ptrdiff_t>(i);
    // Out of the list before it dies: the list never holds a dying item.
    std::unique_ptr<FlowItem> panel = std::move(m_items[static_cast<size_t>(i)]);
    m_items.erase(m_items.begin() + at);
    panel.reset();
    if (i < Count()) {
        std::unique_ptr<FlowItem> spot = std::move(m_items[static_cast<size_t>(i)]);
        m_items.erase(m_items.begin() + at);
    }
    RelayoutFlowchart();
    return true;
}

BlockState FlowList::RecordAt(int index) const
{
    const FlowItem* item = Item(index);
    if (!item || item->Class() != ItemClass::SeqPanel)
        return {};
    const FcObject* object = static_cast<const TSeqPanel*>(item)->Object;
    return {object->TypeCode, object->Text(), object->Height(), object->CtrlNodeText};
}

FcObject* FlowList::PlaceBlock(int index, const BlockState& record)
{
    if (!AsSpot(Item(index - 1)))
        return nullptr;
    UpdateBracket bracket(m_canvas);
    auto spot = std::make_unique<TNormalSpot>(m_canvas);
    SetItemLeft(spot.get(), kColumnLeft);
    m_items.insert(m_items.begin() + index, std::move(spot));
    auto panel = std::make_unique<TSeqPanel>(m_canvas, record.caption);
    FcObject* object = panel->Object;
    object->TypeCode = record.typeCode;
    object->CtrlNodeText = record.nodeText;
    object->SetHeight(record.height);
    panel->Height = record.height;
    SetItemLeft(panel.get(), kColumnLeft);
    m_items.insert(m_items.begin() + index, std::move(panel));
    RelayoutFlowchart();
    return object;
}

void FlowList::RestoreBlock(int index, const BlockState& record)
{
    FlowItem* item = Item(index);
    if (!item || item->Class() != ItemClass::SeqPanel)
        return;
    auto* panel = static_cast<TSeqPanel*>(item);
    UpdateBracket bracket(m_canvas);
    panel->Object->CtrlNodeText = record.nodeText;
    panel->Object->SetText(record.caption);
    if (panel->Object->Height() != record.height) {
        panel->Object->SetHeight(record.height);
        panel->Height = record.height;
        RelayoutFlowchart();
    }
}

void FlowList::ClearFlowchart()
{
    UpdateBracket bracket(m_canvas);
    while (!m_items.empty()) {
        std::unique_ptr<FlowItem> item = std::move(m_items.back());
        m_items.pop_back();
    }
}

void FlowList::SelectionFilter(FcObject* object, FcConnection* connection, bool& allow) const
{
    if (connection) {
        allow = false;
        return;
    }
    if (!object)
        return;
    if (object == StartObject || object == EndObject || IndexOfSpotBase(object) != -1)
        allow = false;
}

void FlowList::DeferredSelect()
{
    m_canvas.SelectExclusively(m_canvas.Find(PendingSelection));
}

} // namespace talvex
