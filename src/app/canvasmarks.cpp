#include "app/canvasmarks.h"

#include "model/ui/canvasview.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

namespace talvex {

CanvasMarks::CanvasMarks(TdxFlowChart& canvas) : QWidget(canvas.viewport()), m_canvas(canvas)
{
    setObjectName(QStringLiteral("CanvasMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    canvas.viewport()->installEventFilter(this);
    // Scrolling may move the viewport's children with its contents.
    connect(canvas.horizontalScrollBar(), &QScrollBar::valueChanged, this, &CanvasMarks::FollowViewport);
    connect(canvas.verticalScrollBar(), &QScrollBar::valueChanged, this, &CanvasMarks::FollowViewport);
    FollowViewport();
    hide();
}

void CanvasMarks::SetMarked(std::vector<ObjectId> blocks)
{
    m_marked = std::move(blocks);
    setVisible(!m_marked.empty());
    FollowViewport();
}

void CanvasMarks::FollowViewport()
{
    setGeometry(m_canvas.viewport()->rect());
    raise();
    update();
}

bool CanvasMarks::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        FollowViewport();
    return QWidget::eventFilter(watched, event);
}

void CanvasMarks::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(230, 0, 0), 3));
    painter.setBrush(Qt::NoBrush);
    for (ObjectId id : m_marked) {
        const FcObject* object = m_canvas.Chart().Find(id);
        if (!object)
            continue;
        const QPoint topLeft = m_canvas.ToViewport(object->Left(), object->Top());
        painter.drawRoundedRect(QRect(topLeft, QSize(object->Width(), object->Height())).adjusted(-4, -4, 4, 4), 4, 4);
    }
}

} // namespace talvex
