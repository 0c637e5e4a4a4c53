#include "dialogs/dialogframe.h"

#include "render/fonts.h"

#include <QFontDatabase>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace talvex {

namespace {

} // namespace

QFont DialogFont(int pixelSize)
{
    return SongFont(pixelSize);
}

DialogFrame::DialogFrame(const char* className, const char* captionUtf8, const FrameGeometry& g, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QString::fromLatin1(className));
    setWindowTitle(QString::fromUtf8(captionUtf8));
    setFont(DialogFont(16));
    setModal(true);
    setWindowFlags((windowFlags() | Qt::MSWindowsFixedSizeDialogHint) & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(g.clientWidth, g.clientHeight);

    if (g.panelWidth > 0) {
        m_panel = new QFrame(this);
        m_panel->setObjectName("Panel1");
        m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        m_panel->setLineWidth(1);
        m_panel->setGeometry(8, 8, g.panelWidth, g.panelHeight);
    }
    if (g.hasOk) {
        m_ok = AddButton("Button1", u8"确定", 8, g.buttonsY, mrOk);
        m_cancel = AddButton("Button2", u8"取消", 104, g.buttonsY, mrCancel);
        m_delete = AddButton("Button3", u8"删除", 200, g.buttonsY, mrDelete);
    } else {
        m_cancel = AddButton("Button2", u8"取消", 8, g.buttonsY, mrCancel);
        m_delete = AddButton("Button3", u8"删除", 104, g.buttonsY, mrDelete);
    }
}

QPushButton* DialogFrame::AddButton(const char* name, const char* textUtf8, int x, int y, int result)
{
    auto* button = new QPushButton(QString::fromUtf8(textUtf8), this);
    button->setObjectName(name);
    button->setGeometry(x, y, 75, 25);
    button->setAutoDefault(false);
    button->setDefault(false);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
}

QLabel* DialogFrame::AddLabel(const char* textUtf8, int x, int y, const char* objectName)
{
    return AddLabel(textUtf8, x, y, m_panel ? static_cast<QWidget*>(m_panel) : this, objectName);
}

QLabel* DialogFrame::AddLabel(const char* textUtf8, int x, int y, QWidget* parent, const char* objectName)
{
    auto* label = new QLabel(QString::fromUtf8(textUtf8), parent);
    if (objectName)
        label->setObjectName(objectName);
    label->move(x, y);
    label->adjustSize();
    return label;
}

void DialogFrame::reject()
{
    // The window frame's close box and any other rejection mean "取消".
    done(mrCancel);
}

void DialogFrame::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // No default and no cancel button: these keys never close the dialog.
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void DialogFrame::showEvent(QShowEvent* event)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (parentWidget() && parentWidget()->screen())
        screen = parentWidget()->screen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(area.center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace talvex
