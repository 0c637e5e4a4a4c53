#include "link/ui/downloaddialog.h"

#include "link/downloadprep.h"
#include "link/portnames.h"
#include "model/gbk.h"
#include "model/ui/rawbytehighlighter.h"
#include "render/fonts.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace talvex {

namespace {

constexpr int kPortCount = 8;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFormDownload::TFormDownload(QWidget* parent) : QDialog(parent), m_link(this)
{
    FormCreate();
}

TFormDownload::~TFormDownload()
{
    // The worker must be gone before the controls it reports to.
    m_link.StopTransfer();
}

void TFormDownload::FormCreate()
{
    setObjectName(QStringLiteral("TFormDownload"));
    setWindowTitle(QString::fromUtf8(u8"TALVEX下载"));
    setFont(SongFont(16));

    Label1 = new QLabel(QStringLiteral("COM:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int n = 1; n <= kPortCount; ++n)
        ComboBox1->addItem(QString::number(n));
    ComboBox1->setCurrentIndex(0);
    LabelDevice = new QLabel(this);
    LabelDevice->setObjectName(QStringLiteral("LabelDevice"));
    LabelDevice->setMinimumWidth(160);
    Button1 = MakeButton(this, "Button1", u8"打开串口");
    Button2 = MakeButton(this, "Button2", u8"关闭串口");

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(Label1);
    portRow->addWidget(ComboBox1);
    portRow->addWidget(LabelDevice, 1);
    portRow->addWidget(Button1);
    portRow->addWidget(Button2);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    Memo2 = new QPlainTextEdit(panel);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setMinimumSize(520, 340);
    new RawByteHighlighter(Memo2->document());
    Button6 = MakeButton(panel, "Button6", u8"下载");
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(Memo2);
    auto* downloadRow = new QHBoxLayout;
    downloadRow->addStretch(1);
    downloadRow->addWidget(Button6);
    panelLayout->addLayout(downloadRow);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ShowIdleProgress();

    LabelLogo = new QLabel(QStringLiteral("VORNACO"), this);
    LabelLogo->setObjectName(QStringLiteral("LabelLogo"));
    QFont logoFont = LabelLogo->font();
    logoFont.setBold(true);
    logoFont.setItalic(true);
    logoFont.setPixelSize(20);
    LabelLogo->setFont(logoFont);
    LabelLogo->setStyleSheet(QStringLiteral("color: #1c4f9c"));
    LabelMessage = new QLabel(this);
    LabelMessage->setObjectName(QStringLiteral("LabelMessage"));
    LabelMessage->setStyleSheet(QStringLiteral("color: #b00000"));

    Button5 = MakeButton(this, "Button5", u8"退出下载");
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(ProgressBar1, 1);
    bottomRow->addWidget(Button5);

    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(LabelLogo);
    logoRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(logoRow);
    layout->addLayout(portRow);
    layout->addWidget(panel, 1);
    layout->addWidget(LabelMessage);
    layout->addLayout(bottomRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowPortState(false);
    ShowDeviceName();

    connect(Button1, &QPushButton::clicked, this, &TFormDownload::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFormDownload::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TFormDownload::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TFormDownload::Button6Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFormDownload::ShowDeviceName);
    connect(&m_link, &RobotLink::TransferFinished, this, &TFormDownload::TransferDone);
    connect(&m_link, &RobotLink::TransferProgress, this, [this](int sent, int total) {
        // The first report comes with the robot's grant.
        ProgressBar1->setFormat(QStringLiteral("%v / %m"));
        ProgressBar1->setRange(0, std::max(total, 1));
        ProgressBar1->setValue(sent);
        ProgressBar1->setTextVisible(true);
    });
    connect(&m_link.Port(), &SerialPortAdapter::PortLost, this, &TFormDownload::PortLost);
}

void TFormDownload::SetSourceText(const QString& text)
{
    Memo2->setPlainText(text);
}

void TFormDownload::showEvent(QShowEvent* event)
{
    // Adapters may have come or gone since the last showing.
    ShowDeviceName();
    if (!m_link.IsTransferRunning())
        ShowIdleProgress();
    QDialog::showEvent(event);
    // Centred on the screen rather than over the main window.
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TFormDownload::ShowIdleProgress()
{
    ProgressBar1->setRange(0, 1);
    ProgressBar1->setValue(0);
    ProgressBar1->setFormat(QStringLiteral("%v / %m"));
    // No count to show until a transfer reports its data packets.
    ProgressBar1->setTextVisible(false);
}

void TFormDownload::ShowDeviceName()
{
    // While a port is open the label names the device in use, whatever the
    // list shows.
    const QString device =
        m_link.Port().IsOpen() ? m_link.Port().DeviceName() : PortDeviceName(ComboBox1->currentIndex() + 1);
    LabelDevice->setText(device.isEmpty() ? QString::fromUtf8(u8"(无此串口)") : device);
}

void TFormDownload::ShowPortState(bool open)
{
    Button1->setEnabled(!open);
    Button2->setEnabled(open);
    // The list chooses the port to open; it cannot change the open one.
    ComboBox1->setEnabled(!open);
    ShowDeviceName();
}

void TFormDownload::PortLost()
{
    const QString device = m_openDevice;
    ShowPortState(false);
    LabelMessage->setText(QString::fromUtf8(u8"串口%1已断开: 设备已被拔出或不再响应。").arg(device));
}

void TFormDownload::ShowError(const std::string& gbkMessage)
{
    QMessageBox::critical(this, windowTitle(), FromGbk(gbkMessage));
}

void TFormDownload::Button1Click()
{
    if (const Status opened = m_link.Port().OpenPort(ComboBox1->currentIndex() + 1); !opened) {
        ShowError(opened.Message());
        return;
    }
    LabelMessage->clear();
    m_openDevice = m_link.Port().DeviceName();
    ShowPortState(true);
}

void TFormDownload::Button2Click()
{
    m_link.Port().ClosePort();
    ShowPortState(false);
}

void TFormDownload::Button5Click()
{
    done(1);
}

void TFormDownload::Button6Click()
{
    const std::vector<std::string> lines = SplitLines(ToGbk(Memo2->toPlainText()));
    const Status prepared = RunDownloadPreparation(lines, [this](const QString& path) { StartTransfer(path); });
    if (!prepared)
        ShowError(prepared.Message());
}

void TFormDownload::StartTransfer(const QString& path)
{
    const Result<RobotLink::Start> started = m_link.StartTransfer(path);
    if (!started) {
        ShowError(started.Message());
    } else if (*started == RobotLink::Start::kStarted) {
        Button6->setEnabled(false);
        ProgressBar1->setRange(0, 1);
        ProgressBar1->setValue(0);
        ProgressBar1->setFormat(QString::fromUtf8(u8"等待机器人应答"));
        ProgressBar1->setTextVisible(true);
    }
}

void TFormDownload::TransferDone(int byteCount, bool success)
{
    QMessageBox box(QMessageBox::NoIcon, windowTitle(), FromGbk(TransferResultText(byteCount, success)),
                    QMessageBox::Ok, this);
    box.exec();
    Button6->setEnabled(true);
}

} // namespace talvex
