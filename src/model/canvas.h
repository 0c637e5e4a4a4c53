#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace talvex {

// The diagram canvas as an object model: shapes, straight connections between
// their link points, one selection and an update bracket. It knows nothing of
// flowcharts; the widget in model/ui draws it and forwards mouse actions.

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

struct FcPoint {
    int32_t x = 0, y = 0;
    friend bool operator==(FcPoint a, FcPoint b) { return a.x == b.x && a.y == b.y; }
};

struct FcRect {
    int32_t left = 0, top = 0, width = 0, height = 0;
    int32_t Right() const { return left + width; }  // exclusive
    int32_t Bottom() const { return top + height; } // exclusive
    bool Intersects(const FcRect& o) const
    {
        return left < o.Right() && o.left < Right() && top < o.Bottom() && o.top < Bottom();
    }
    bool Contains(int32_t x, int32_t y) const { return x >= left && x < Right() && y >= top && y < Bottom(); }
};

enum TShapeKind { skNone, skRectangle, skRoundRect };
enum TTextAlign { taNear, taCenter, taFar };

// Raised edge as DrawEdge draws it: EDGE_RAISED = 5, BF_RECT = 15.
constexpr int kEdgeRaised = 5;
constexpr int kBorderRect = 15;

struct FcFont {
    std::string name;     // GBK face name
    int32_t height = -16; // negative: character height in pixels
    bool bold = false;
    Rgb color{0, 0, 0};
};

class CanvasModel;
class FcConnection;

// Names an object across calls. Ids are never reused, so a stale id finds
// nothing instead of whatever took the old object's place.
using ObjectId = uint64_t;
constexpr ObjectId kNoObject = 0;

class FcObject {
  public:
    ObjectId Id() const { return m_id; }
    int32_t Left() const { return m_rect.left; }
    int32_t Top() const { return m_rect.top; }
    int32_t Width() const { return m_rect.width; }
    int32_t Height() const { return m_rect.height; }
    const FcRect& Rect() const { return m_rect; }
    void SetLeft(int32_t v);
    void SetTop(int32_t v);
    void SetWidth(int32_t v);
    void SetHeight(int32_t v);
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);

    TShapeKind ShapeKind() const { return m_shape; }
    void SetShapeKind(TShapeKind kind);
    Rgb FillColor() const { return m_fill; }
    void SetFillColor(Rgb c);
    int EdgeStyle() const { return m_edgeStyle; }
    int BorderFlags() const { return m_borderFlags; }
    void SetBevel(int edgeStyle, int borderFlags);
    const std::string& Text() const { return m_text; } // GBK
    void SetText(std::string text);
    const FcFont& Font() const { return m_font; }
    void SetFont(FcFont font);
    TTextAlign HAlign() const { return m_hAlign; }
    TTextAlign VAlign() const { return m_vAlign; }
    void SetTextAlign(TTextAlign h, TTextAlign v);

    // For the owner's use; the canvas never reads them.
    int32_t TypeCode = 0;
    std::string CtrlNodeText;

    int ChildCount() const { return static_cast<int>(m_children.size()); }
    FcObject* Child(int index) const { return m_children[static_cast<size_t>(index)]; }
    bool Selected() const { return m_selected; }
    CanvasModel* Owner() const { return m_owner; }
    const std::vector<FcConnection*>& Links() const { return m_links; }

    // Link point n (0..15), numbered clockwise from the top-left corner.
    FcPoint LinkPoint(int n) const;

  private:
    friend class CanvasModel;
    FcObject(CanvasModel* owner, ObjectId id) : m_owner(owner), m_id(id) {}
    void Changed();

    CanvasModel* m_owner;
    ObjectId m_id;
    FcRect m_rect;
    TShapeKind m_shape = skNone;
    Rgb m_fill;
    int m_edgeStyle = 0;
    int m_borderFlags = 0;
    std::string m_text;
    FcFont m_font;
    TTextAlign m_hAlign = taNear;
    TTextAlign m_vAlign = taNear;
    bool m_selected = false;
    std::vector<FcObject*> m_children;
    FcObject* m_parent = nullptr;
    std::vector<FcConnection*> m_links;
};

class FcConnection {
  public:
    FcObject* Source() const { return m_source; }
    int SourcePoint() const { return m_sourcePoint; }
    FcObject* Target() const { return m_target; }
    int TargetPoint() const { return m_targetPoint; }
    FcPoint From() const { return m_source->LinkPoint(m_sourcePoint); }
    FcPoint To() const { return m_target->LinkPoint(m_targetPoint); }
    FcRect Bounds() const; // the segment's bounding box, one pixel wide at least

  private:
    friend class CanvasModel;
    FcConnection(FcObject* s, int sp, FcObject* t, int tp)
        : m_source(s), m_sourcePoint(sp), m_target(t), m_targetPoint(tp)
    {
    }
    FcObject* m_source;
    int m_sourcePoint;
    FcObject* m_target;
    int m_targetPoint;
};

// What the widget needs to hear from the model.
class CanvasObserver {
  public:
    virtual ~CanvasObserver() = default;
    virtual void CanvasChanged() = 0; // repaint (never called inside an update bracket)
    virtual void CanvasScrollIntoView(const FcRect& rect) = 0;
    // The model is going away before its view; the view must not touch it again.
    virtual void CanvasDestroyed() {}
};

class CanvasModel {
  public:
    CanvasModel();
    ~CanvasModel();
    CanvasModel(const CanvasModel&) = delete;
    CanvasModel& operator=(const CanvasModel&) = delete;

    FcObject* AddShape(int32_t left, int32_t top, int32_t width, int32_t height, TShapeKind kind);
    FcConnection* AddLink(FcObject* source, int sourcePoint, FcObject* target, int targetPoint);
    void RemoveShape(FcObject* object);
    void AddChildShape(FcObject* parent, FcObject* child);
    // Whether a live object belongs to this canvas; raw pointers are only
    // valid until the next removal, ids for good.
    bool Owns(const FcObject* object) const { return object && object->m_owner == this; }
    // The object with that id, or nullptr once it has been removed.
    FcObject* Find(ObjectId id) const;

    // Objects in creation order (drawing order); connections in creation order.
    const std::vector<std::unique_ptr<FcObject>>& Objects() const { return m_objects; }
    const std::vector<std::unique_ptr<FcConnection>>& Connections() const { return m_connections; }

    FcObject* SingleSelection() const;
    int SelectedCount() const { return m_selection ? 1 : 0; }
    // Nothing when the object already is the single selection; otherwise clears
    // the selection and selects the object if the selection filter allows.
    void SelectExclusively(FcObject* object);
    // A user's click: the filter decides; a refused object or empty space
    // leaves nothing selected.
    void ClickSelect(FcObject* object);
    void ClearSelection();

    void ScrollIntoView(FcObject* object);
    void BeginCanvasUpdate();
    void EndCanvasUpdate();
    bool Updating() const { return m_updateDepth > 0; }

    // The topmost visible object under a point, or nullptr.
    FcObject* ObjectAt(int32_t x, int32_t y) const;
    // Bounding box of every object and connection (the scrollable extent).
    FcRect Extent() const;

    Rgb Color{166, 202, 240}; // background

    // Selection filter: called before an object (or a connection) is selected.
    std::function<void(FcObject* object, FcConnection* connection, bool& allow)> OnSelection;

    void SetView(CanvasObserver* view) { m_view = view; }
    void NotifyChanged();

  private:
    bool AskFilter(FcObject* object);
    void SetSelection(FcObject* object);
    void RemoveConnection(FcConnection* connection);

    std::vector<std::unique_ptr<FcObject>> m_objects;
    std::vector<std::unique_ptr<FcConnection>> m_connections;
    std::unordered_map<ObjectId, FcObject*> m_byId;
    ObjectId m_lastId = kNoObject;
    FcObject* m_selection = nullptr;
    int m_updateDepth = 0;
    bool m_dirty = false;
    CanvasObserver* m_view = nullptr;
};

} // namespace talvex
