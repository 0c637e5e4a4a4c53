#include "app/mainwindow.h"

#include "app/documentcommands.h"
#include "app/documentui.h"
#include "app/formabout.h"
#include "app/images.h"
#include "app/navbar.h"
#include "link/ui/downloaddialog.h"
#include "model/ui/canvasview.h"
#include "model/ui/rawbytehighlighter.h"
#include "project/phraselist.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace talvex {

namespace {

constexpr int kToolbarHeight = 37;
constexpr int kPaletteWidth = 145;
constexpr int kCanvasWidth = 282;
constexpr int kSplitterWidth = 5;

struct ToolbarButton {
    int number; // SpeedButton<number>
    int left;
    int pictureHeight;
    void (TForm1::*handler)();
};

// Left to right as they sit on the panel.
const ToolbarButton kToolbar[] = {
    {1, 2, 30, &TForm1::SpeedButton1Click},     {2, 34, 30, &TForm1::SpeedButton2Click},
    {3, 66, 30, &TForm1::SpeedButton3Click},    {4, 98, 30, &TForm1::SpeedButton4Click},
    {5, 138, 30, &TForm1::SpeedButton5Click},   {8, 170, 30, &TForm1::SpeedButton8Click},
    {7, 362, 30, &TForm1::SpeedButton7Click},   {6, 394, 29, &TForm1::SpeedButton6Click},
    {10, 474, 30, &TForm1::SpeedButton10Click}, {9, 506, 30, &TForm1::SpeedButton9Click},
};

QFont WindowFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("WenQuanYi Zen Hei")});
    f.setPixelSize(11);
    return f;
}

} // namespace

QString ApplicationTitle()
{
    return QString::fromUtf8("TALVEX流程图(VEVO8)------VORNACO");
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TForm1"));
    setFont(WindowFont());
    InitImageResources();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel1 = new QFrame(central);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setFixedHeight(kToolbarHeight);
    column->addWidget(Panel1);
    BuildToolbar();

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    column->addLayout(body, 1);

    dxNavBar1 = new TdxNavBar(central);
    dxNavBar1->setFixedWidth(kPaletteWidth);
    body->addWidget(dxNavBar1);
    connect(dxNavBar1, &TdxNavBar::ItemClicked, this, &TForm1::dxNavBar1ItemClick);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(kSplitterWidth);
    Splitter1->setChildrenCollapsible(false);
    body->addWidget(Splitter1, 1);

    m_chart.Color = kCanvasColor;
    m_chart.OnSelection = [this](FcObject* object, FcConnection* connection, bool& allow) {
        m_flowList.SelectionFilter(object, connection, allow);
    };
    m_chart.OnDblClick = [this] { dxFlowChart1DblClick(); };
    m_flowList.PostDeferredSelect = [this] {
        QMetaObject::invokeMethod(
            this, [this] { m_flowList.DeferredSelect(); }, Qt::QueuedConnection);
    };

    dxFlowChart1 = new TdxFlowChart(m_chart, Splitter1);
    dxFlowChart1->setContextMenuPolicy(Qt::ActionsContextMenu);
    Splitter1->addWidget(dxFlowChart1);

    Memo1 = new QPlainTextEdit(Splitter1);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setReadOnly(false);
    new RawByteHighlighter(Memo1->document());
    Splitter1->addWidget(Memo1);

    m_documentUi = std::make_unique<QtDocumentUi>(this);
    m_documents = std::make_unique<DocumentCommands>(m_flowList, *Memo1, *m_documentUi);
    m_documents->CurrentFileChanged = [this](const QString& path) { SetCurrentFile(path); };
    m_documents->VoicePhrases = [] { return LoadPhraseList(); };

    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kCanvasWidth, 10000});

    setCentralWidget(central);
    setGeometry(106, 80, 618, 463);

    FormCreate();
}

TForm1::~TForm1()
{
    // The canvas widget and the handlers refer to the model members, which go
    // before the base class deletes the child widgets.
    m_chart.OnSelection = nullptr;
    m_chart.OnDblClick = nullptr;
    m_flowList.PostDeferredSelect = nullptr;
    delete dxFlowChart1;
    dxFlowChart1 = nullptr;
}

void TForm1::BuildToolbar()
{
    for (const ToolbarButton& b : kToolbar) {
        auto* button = new QToolButton(Panel1);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(b.number));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(b.left, 2, 32, 32);
        const QSize picture(30, b.pictureHeight);
        button->setIconSize(picture);
        button->setIcon(QIcon(ToolbarImage(b.number, picture)));
        connect(button, &QToolButton::clicked, this, b.handler);
        m_buttons[static_cast<size_t>(b.number - 1)] = button;
    }
}

QToolButton* TForm1::AddExtraTool(ExtraTool tool, QAction* action)
{
    const ExtraToolSpot& spot = ExtraToolSpotOf(tool);
    if (action->icon().isNull() && QFile::exists(QString::fromLatin1(spot.icon)))
        action->setIcon(QIcon(QString::fromLatin1(spot.icon)));
    addAction(action);
    auto* button = new QToolButton(Panel1);
    button->setObjectName(QString::fromLatin1(spot.name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(spot.left, 2, 32, 32);
    button->setIconSize(QSize(24, 24));
    button->setDefaultAction(action);
    button->setToolTip(action->toolTip());
    button->show();
    return button;
}

QToolButton* TForm1::ExtraToolButton(ExtraTool tool) const
{
    return Panel1->findChild<QToolButton*>(QString::fromLatin1(ExtraToolSpotOf(tool).name));
}

void TForm1::AddCanvasMenuAction(QAction* action)
{
    if (!action) {
        action = new QAction(dxFlowChart1);
        action->setSeparator(true);
    }
    dxFlowChart1->addAction(action);
}

void TForm1::FormCreate()
{
    // Relative paths (the phrase list) are looked up beside the executable.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    SetCurrentFile(QString());
    ModifiedFlag = 0;
    Memo1->clear();
    m_flowList.BuildNewFlowchart();
}

QToolButton* TForm1::SpeedButton(int n) const
{
    if (n < 1 || n > static_cast<int>(m_buttons.size()))
        return nullptr;
    return m_buttons[static_cast<size_t>(n - 1)];
}

void TForm1::SetCurrentFile(const QString& path)
{
    m_currentFileName = path;
    if (path.isEmpty())
        setWindowTitle(QStringLiteral("%1").arg(ApplicationTitle()));
    else
        setWindowTitle(QStringLiteral("%1 - %2").arg(ApplicationTitle(), QFileInfo(path).fileName()));
}

void TForm1::dxNavBar1ItemClick(int item)
{
    m_flowList.InsertBlock(item);
}

void TForm1::dxFlowChart1DblClick()
{
    if (m_dblClickHandler)
        m_dblClickHandler();
}

// --- Toolbar -----------------------------------------------------------------

void TForm1::SpeedButton1Click()
{
    m_documents->New();
    ModifiedFlag = static_cast<uint8_t>(m_documents->ModifiedFlag());
}

void TForm1::SpeedButton2Click()
{
    m_documents->Open();
    ModifiedFlag = static_cast<uint8_t>(m_documents->ModifiedFlag());
}

void TForm1::SpeedButton3Click()
{
    m_documents->Save();
    ModifiedFlag = static_cast<uint8_t>(m_documents->ModifiedFlag());
}

void TForm1::SpeedButton4Click()
{
    m_documents->SaveAs();
    ModifiedFlag = static_cast<uint8_t>(m_documents->ModifiedFlag());
}

void TForm1::SpeedButton6Click()
{
    auto* download = findChild<TFormDownload*>(QString(), Qt::FindDirectChildrenOnly);
    if (!download)
        download = new TFormDownload(this);
    download->SetSourceText(Memo1->toPlainText());
    download->exec();
}

void TForm1::SpeedButton7Click()
{
    m_documents->GenerateProgramText();
}

void TForm1::SpeedButton9Click()
{
    m_documents->SaveProgramText();
}

void TForm1::SpeedButton10Click()
{
    m_documents->LoadProgramText();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!m_documents->CanClose()) {
        event->ignore();
        return;
    }
    ModifiedFlag = static_cast<uint8_t>(m_documents->ModifiedFlag());
    QMainWindow::closeEvent(event);
}

void TForm1::SpeedButton5Click()
{
    close();
}

void TForm1::SpeedButton8Click()
{
    auto* about = findChild<TFormAbout*>(QString(), Qt::FindDirectChildrenOnly);
    if (!about)
        about = new TFormAbout(this);
    about->exec();
}

} // namespace talvex
