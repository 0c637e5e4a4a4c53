#include "model/canvas.h"

#include <algorithm>

namespace talvex {

namespace {

template <class T> void EraseFromBack(std::vector<T*>& list, const T* item)
{
    // Objects removed together were usually created together, near the end.
    for (size_t i = list.size(); i-- > 0;) {
        if (list[i] == item) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

// Takes the item out of its owning list; the caller's unique_ptr destroys it.
template <class T> std::unique_ptr<T> TakeFromBack(std::vector<std::unique_ptr<T>>& list, const T* item)
{
    for (size_t i = list.size(); i-- > 0;) {
        if (list[i].get() == item) {
            std::unique_ptr<T> taken = std::move(list[i]);
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            return taken;
        }
    }
    return nullptr;
}

} // namespace

void FcObject::Changed()
{
    if (m_owner)
        m_owner->NotifyChanged();
}

void FcObject::SetLeft(int32_t v)
{
    if (m_rect.left == v)
        return;
    m_rect.left = v;
    Changed();
}

void FcObject::SetTop(int32_t v)
{
    if (m_rect.top == v)
        return;
    m_rect.top = v;
    Changed();
}

void FcObject::SetWidth(int32_t v)
{
    if (m_rect.width == v)
        return;
    m_rect.width = v;
    Changed();
}

void FcObject::SetHeight(int32_t v)
{
    if (m_rect.height == v)
        return;
    m_rect.height = v;
    Changed();
}

void FcObject::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height)
{
    const FcRect r{left, top, width, height};
    if (r.left == m_rect.left && r.top == m_rect.top && r.width == m_rect.width && r.height == m_rect.height)
        return;
    m_rect = r;
    Changed();
}

void FcObject::SetShapeKind(TShapeKind kind)
{
    m_shape = kind;
    Changed();
}

void FcObject::SetFillColor(Rgb c)
{
    m_fill = c;
    Changed();
}

void FcObject::SetBevel(int edgeStyle, int borderFlags)
{
    m_edgeStyle = edgeStyle;
    m_borderFlags = borderFlags;
    Changed();
}

void FcObject::SetText(std::string text)
{
    m_text = std::move(text);
    Changed();
}

void FcObject::SetFont(FcFont font)
{
    m_font = std::move(font);
    Changed();
}

void FcObject::SetTextAlign(TTextAlign h, TTextAlign v)
{
    m_hAlign = h;
    m_vAlign = v;
    Changed();
}

FcPoint FcObject::LinkPoint(int n) const
{
    const int32_t l = m_rect.left, t = m_rect.top, w = m_rect.width, h = m_rect.height;
    if (w == 0 && h == 0)
        return {l, t};
    const int32_t r = l + w - 1, b = t + h - 1;
    switch (n) {
    case 0:
        return {l, t};
    case 1:
        return {l + w / 4, t};
    case 2:
        return {l + w / 2, t};
    case 3:
        return {l + w - w / 4, t};
    case 4:
        return {r, t};
    case 5:
        return {r, t + h / 4};
    case 6:
        return {r, t + h / 2};
    case 7:
        return {r, t + h - h / 4};
    case 8:
        return {r, b};
    case 9:
        return {l + w - w / 4, b};
    case 10:
        return {l + w / 2, b};
    case 11:
        return {l + w / 4, b};
    case 12:
        return {l, b};
    case 13:
        return {l, t + h - h / 4};
    case 14:
        return {l, t + h / 2};
    case 15:
        return {l, t + h / 4};
    default:
        return {l, t};
    }
}

FcRect FcConnection::Bounds() const
{
    const FcPoint a = From(), b = To();
    const int32_t left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return {left, top, std::max(a.x, b.x) - left + 1, std::max(a.y, b.y) - top + 1};
}

CanvasModel::CanvasModel() = default;

CanvasModel::~CanvasModel()
{
    if (m_view)
        m_view->CanvasDestroyed();
}

FcObject* CanvasModel::Find(ObjectId id) const
{
    const auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : it->second;
}

void CanvasModel::NotifyChanged()
{
    if (m_updateDepth > 0) {
        m_dirty = true;
        return;
    }
    if (m_view)
        m_view->CanvasChanged();
}

FcObject* CanvasModel::AddShape(int32_t left, int32_t top, int32_t width, int32_t height, TShapeKind kind)
{
    auto owned = std::unique_ptr<FcObject>(new FcObject(this, ++m_lastId));
    FcObject* object = owned.get();
    object->m_rect = {left, top, width, height};
    object->m_shape = kind;
    object->m_fill = Color;
    m_objects.push_back(std::move(owned));
    m_byId.emplace(object->m_id, object);
    NotifyChanged();
    return object;
}

FcConnection* CanvasModel::AddLink(FcObject* source, int sourcePoint, FcObject* target, int targetPoint)
{
    if (!Owns(source) || !Owns(target))
        return nullptr;
    auto owned = std::unique_ptr<FcConnection>(new FcConnection(source, sourcePoint, target, targetPoint));
    FcConnection* connection = owned.get();
    m_connections.push_back(std::move(owned));
    source->m_links.push_back(connection);
    if (target != source)
        target->m_links.push_back(connection);
    NotifyChanged();
    return connection;
}

void CanvasModel::RemoveConnection(FcConnection* connection)
{
    EraseFromBack(connection->m_source->m_links, connection);
    if (connection->m_target != connection->m_source)
        EraseFromBack(connection->m_target->m_links, connection);
    TakeFromBack(m_connections, connection);
}

void CanvasModel::RemoveShape(FcObject* object)
{
    if (!Owns(object))
        return;
    while (!object->m_links.empty())
        RemoveConnection(object->m_links.back());
    if (m_selection == object)
        m_selection = nullptr;
    if (object->m_parent)
        EraseFromBack(object->m_parent->m_children, object);
    for (FcObject* child : object->m_children)
        child->m_parent = nullptr;
    m_byId.erase(object->m_id);
    TakeFromBack(m_objects, object);
    NotifyChanged();
}

void CanvasModel::AddChildShape(FcObject* parent, FcObject* child)
{
    if (!Owns(parent) || !Owns(child) || parent == child)
        return;
    // Refuse a child that is already below the parent, or above it (a cycle).
    for (FcObject* p = child->m_parent; p; p = p->m_parent)
        if (p == parent)
            return;
    for (FcObject* p = parent->m_parent; p; p = p->m_parent)
        if (p == child)
            return;
    if (child->m_parent)
        EraseFromBack(child->m_parent->m_children, child);
    child->m_parent = parent;
    parent->m_children.push_back(child);
}

FcObject* CanvasModel::SingleSelection() const
{
    return m_selection;
}

bool CanvasModel::AskFilter(FcObject* object)
{
    bool allow = true;
    if (OnSelection)
        OnSelection(object, nullptr, allow);
    return allow;
}

void CanvasModel::SetSelection(FcObject* object)
{
    if (m_selection == object)
        return;
    if (m_selection)
        m_selection->m_selected = false;
    m_selection = object;
    if (object)
        object->m_selected = true;
    NotifyChanged();
}

void CanvasModel::SelectExclusively(FcObject* object)
{
    if (object && object == m_selection)
        return;
    SetSelection(nullptr);
    if (Owns(object) && AskFilter(object))
        SetSelection(object);
}

void CanvasModel::ClickSelect(FcObject* object)
{
    if (object && object == m_selection)
        return;
    if (Owns(object) && AskFilter(object))
        SetSelection(object);
    else
        SetSelection(nullptr);
}

void CanvasModel::ClearSelection()
{
    SetSelection(nullptr);
}

void CanvasModel::ScrollIntoView(FcObject* object)
{
    if (Owns(object) && m_view)
        m_view->CanvasScrollIntoView(object->Rect());
}

void CanvasModel::BeginCanvasUpdate()
{
    ++m_updateDepth;
}

void CanvasModel::EndCanvasUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0 && m_dirty) {
        m_dirty = false;
        if (m_view)
            m_view->CanvasChanged();
    }
}

FcObject* CanvasModel::ObjectAt(int32_t x, int32_t y) const
{
    for (size_t i = m_objects.size(); i-- > 0;) {
        FcObject* object = m_objects[i].get();
        if (object->m_shape != skNone && object->m_rect.Contains(x, y))
            return object;
    }
    return nullptr;
}

FcRect CanvasModel::Extent() const
{
    // The origin always belongs to the extent; an object dragged above or left
    // of it widens the extent that way, so it can be scrolled to.
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    auto include = [&](const FcRect& r) {
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.Right());
        bottom = std::max(bottom, r.Bottom());
    };
    for (const auto& object : m_objects) {
        if (object->m_shape != skNone)
            include(object->m_rect);
    }
    for (const auto& connection : m_connections)
        include(connection->Bounds());
    return {left, top, right - left, bottom - top};
}

} // namespace talvex
