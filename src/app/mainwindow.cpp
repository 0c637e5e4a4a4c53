#include "app/mainwindow.h"

#include "app/canvasmarks.h"
#include "app/codeview.h"
#include "app/documentcommands.h"
#include "app/documentui.h"
#include "app/editcommands.h"
#include "app/findingblocks.h"
#include "app/findingspanel.h"
#include "app/formabout.h"
#include "app/images.h"
#include "app/navbar.h"
#include "app/programcheck.h"
#include "link/ui/downloaddialog.h"
#include "model/ui/canvasview.h"
#include "project/phraselist.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
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

    m_panel1 = new QFrame(central);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setFrameShape(QFrame::Panel);
    m_panel1->setFrameShadow(QFrame::Raised);
    m_panel1->setFixedHeight(kToolbarHeight);
    column->addWidget(m_panel1);
    BuildToolbar();

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    column->addLayout(body, 1);

    m_dxNavBar1 = new TdxNavBar(central);
    m_dxNavBar1->setFixedWidth(kPaletteWidth);
    body->addWidget(m_dxNavBar1);
    connect(m_dxNavBar1, &TdxNavBar::ItemClicked, this, &TForm1::dxNavBar1ItemClick);

    m_splitter1 = new QSplitter(Qt::Horizontal, central);
    m_splitter1->setObjectName(QStringLiteral("Splitter1"));
    m_splitter1->setHandleWidth(kSplitterWidth);
    m_splitter1->setChildrenCollapsible(false);
    body->addWidget(m_splitter1, 1);

    Flows().PostDeferredSelect = [this] {
        QMetaObject::invokeMethod(
            this, [this] { Flows().DeferredSelect(); }, Qt::QueuedConnection);
    };
    connect(&m_document, &Document::fileNameChanged, this, &TForm1::ShowFileName);
    connect(&m_document, &Document::modifiedChanged, this, &TForm1::ShowModified);

    m_dxFlowChart1 = new TdxFlowChart(m_document.Canvas(), m_splitter1);
    m_dxFlowChart1->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_splitter1->addWidget(m_dxFlowChart1);

    auto* codeColumn = new QSplitter(Qt::Vertical, m_splitter1);
    codeColumn->setObjectName(QStringLiteral("CodeSplitter"));
    codeColumn->setChildrenCollapsible(false);
    auto* codeView = new CodeView(codeColumn);
    m_memo1 = codeView;
    m_memo1->setObjectName(QStringLiteral("Memo1"));
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setReadOnly(false);
    codeColumn->addWidget(m_memo1);
    m_findings = new FindingsPanel(codeColumn);
    m_findings->hide();
    codeColumn->addWidget(m_findings);
    codeColumn->setStretchFactor(0, 3);
    codeColumn->setStretchFactor(1, 1);
    m_splitter1->addWidget(codeColumn);
    m_check = new ProgramCheck(*codeView, *m_findings, this);
    m_marks = new CanvasMarks(*m_dxFlowChart1);
    connect(m_check, &ProgramCheck::Checked, this, [this](const std::vector<lang::Finding>& findings) {
        m_marks->SetMarked(FindingBlocks(Flows(), m_memo1->toPlainText()).UnpairedBlocks(findings));
    });
    connect(m_check, &ProgramCheck::FindingActivated, this, [this](const lang::Finding& finding) {
        const ObjectId block = FindingBlocks(Flows(), m_memo1->toPlainText()).BlockOfLine(finding.line);
        if (FcObject* object = Chart().Find(block)) {
            Chart().SelectExclusively(object);
            Chart().ScrollIntoView(object);
        }
    });
    AskDownloadDespiteErrors = [this](int errors) {
        QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                        QString::fromUtf8("程序有%1处错误，仍然下载吗?").arg(errors), QMessageBox::NoButton, this);
        QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes;
    };

    m_documentUi = std::make_unique<QtDocumentUi>(this);
    m_documents = std::make_unique<DocumentCommands>(m_document, *m_memo1, *m_documentUi);
    m_documents->VoicePhrases = [] { return LoadPhraseList(); };

    m_splitter1->setStretchFactor(0, 0);
    m_splitter1->setStretchFactor(1, 1);
    m_splitter1->setSizes({kCanvasWidth, 10000});

    setCentralWidget(central);
    setGeometry(106, 80, 618, 463);
    AddExtraTool(ExtraTool::Check, m_check->Action());
    m_edits = new EditCommands(*this);

    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::BuildToolbar()
{
    for (const ToolbarButton& b : kToolbar) {
        auto* button = new QToolButton(m_panel1);
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
    auto* button = new QToolButton(m_panel1);
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
    return m_panel1->findChild<QToolButton*>(QString::fromLatin1(ExtraToolSpotOf(tool).name));
}

void TForm1::AddCanvasMenuAction(QAction* action)
{
    if (!action) {
        action = new QAction(m_dxFlowChart1);
        action->setSeparator(true);
    }
    m_dxFlowChart1->addAction(action);
}

void TForm1::FormCreate()
{
    // Relative paths (the phrase list) are looked up beside the executable.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    SetCurrentFile(QString());
    ShowFileName(m_document.CurrentFileName());
    m_document.SetModifiedFlag(0);
    m_memo1->clear();
    Flows().BuildNewFlowchart();
}

QToolButton* TForm1::SpeedButton(int n) const
{
    if (n < 1 || n > static_cast<int>(m_buttons.size()))
        return nullptr;
    return m_buttons[static_cast<size_t>(n - 1)];
}

void TForm1::SetCurrentFile(const QString& path)
{
    m_document.SetCurrentFileName(path);
}

void TForm1::ShowFileName(const QString& path)
{
    if (path.isEmpty())
        setWindowTitle(QStringLiteral("%1").arg(ApplicationTitle()));
    else
        setWindowTitle(QStringLiteral("%1 - %2").arg(ApplicationTitle(), QFileInfo(path).fileName()));
}

void TForm1::ShowModified(bool modified)
{
    // The caption has no place for a mark; the flag serves the platforms that
    // show one of their own.
    setWindowModified(modified);
}

void TForm1::dxNavBar1ItemClick(int item)
{
    m_document.InsertBlock(item);
}

// --- Toolbar -----------------------------------------------------------------

void TForm1::SpeedButton1Click()
{
    m_documents->New();
}

void TForm1::SpeedButton2Click()
{
    m_documents->Open();
}

void TForm1::SpeedButton3Click()
{
    m_documents->Save();
}

void TForm1::SpeedButton4Click()
{
    m_documents->SaveAs();
}

void TForm1::SpeedButton6Click()
{
    // Checking never blocks: the pupil may send a broken program on purpose.
    // An empty view holds no program to judge; the dialog deals with it.
    const QString text = m_memo1->toPlainText();
    if (!text.trimmed().isEmpty() && AskDownloadDespiteErrors) {
        if (const int errors = CountProgramErrors(text); errors > 0 && !AskDownloadDespiteErrors(errors))
            return;
    }
    auto* download = findChild<TFormDownload*>(QString(), Qt::FindDirectChildrenOnly);
    if (!download)
        download = new TFormDownload(this);
    download->SetSourceText(m_memo1->toPlainText());
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
