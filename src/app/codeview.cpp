#include "app/codeview.h"

#include "app/programhighlighter.h"

#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace talvex {

namespace {

class Gutter : public QWidget {
  public:
    explicit Gutter(CodeView* view) : QWidget(view), m_view(view) { setObjectName(QStringLiteral("LineNumbers")); }
    QSize sizeHint() const override { return QSize(m_view->LineNumberWidth(), 0); }

  protected:
    void paintEvent(QPaintEvent* event) override { m_view->PaintLineNumbers(event); }

  private:
    CodeView* m_view;
};

// Readable at 1280 x 800: 14 pixels, a typewriter face (CJK comments fall
// back to the system's CJK font).
QFont CodeFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace"), font.family()});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(14);
    return font;
}

} // namespace

CodeView::CodeView(QWidget* parent)
    : QPlainTextEdit(parent), m_gutter(new Gutter(this)), m_highlighter(new ProgramHighlighter(document()))
{
    setFont(CodeFont());
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeView::UpdateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeView::UpdateGutter);
    UpdateGutterWidth();
}

CodeView::~CodeView() = default;

int CodeView::LineNumberWidth() const
{
    int digits = 1;
    for (int n = std::max(1, blockCount()); n >= 10; n /= 10)
        ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 2);
}

void CodeView::UpdateGutterWidth()
{
    setViewportMargins(LineNumberWidth(), 0, 0, 0);
}

void CodeView::UpdateGutter(const QRect& rect, int dy)
{
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        UpdateGutterWidth();
}

void CodeView::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_gutter->setGeometry(QRect(area.left(), area.top(), LineNumberWidth(), area.height()));
}

void CodeView::PaintLineNumbers(QPaintEvent* event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), QColor(236, 236, 236));
    painter.setPen(QColor(120, 120, 120));
    painter.setFont(font());
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int lineHeight = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top())
            painter.drawText(0, top, m_gutter->width() - 4, lineHeight, Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        block = block.next();
        top = bottom;
    }
}

void CodeView::SelectLine(int line)
{
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    centerCursor();
    setFocus();
}

} // namespace talvex
