#include "sim/ui/simulatorwindow.h"

#include "model/gbk.h"
#include "sim/arenafiles.h"
#include "sim/simconstants.h"
#include "sim/ui/arenaview.h"
#include "sim/ui/toneplayer.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace talvex::sim {

namespace {

constexpr int kFrameMs = 16;
// The window lets a program run for an hour of robot time.
constexpr int64_t kWindowLimitUs = int64_t{3600} * 1000 * kUsPerMs;
// A frame never catches up more than this much real time (after a stall).
constexpr int64_t kMaxFrameUs = 100 * kUsPerMs;
const int kSpeeds[] = {1, 4, 16};

QString Text(const std::string& gbk)
{
    return FromGbk(gbk);
}

} // namespace

SimulatorWindow::SimulatorWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("SimulatorWindow"));
    setWindowTitle(QStringLiteral("仿真"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_tones = new TonePlayer(this);
    BuildControls();
    m_timer.setInterval(kFrameMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SimulatorWindow::OnTimer);
    SelectArena(kDefaultArenaName);
    resize(1100, 700);
}

SimulatorWindow::~SimulatorWindow() = default;

void SimulatorWindow::BuildControls()
{
    auto* column = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    column->addLayout(bar);
    auto button = [&](const char* name, const QString& text, const QString& tip, void (SimulatorWindow::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    m_startButton = button("StartButton", QStringLiteral("开始"), QStringLiteral("运行程序"), &SimulatorWindow::Start);
    m_pauseButton = button("PauseButton", QStringLiteral("暂停"), QStringLiteral("暂停运行"), &SimulatorWindow::Pause);
    m_stepButton =
        button("StepButton", QStringLiteral("单步"), QStringLiteral("执行下一条语句"), &SimulatorWindow::Step);
    m_resetButton =
        button("ResetButton", QStringLiteral("重置"), QStringLiteral("回到起点, 从头开始"), &SimulatorWindow::Reset);
    button("ClapButton", QStringLiteral("拍手"), QStringLiteral("让麦克风听到一次拍手 (也可在窗口里按任意键)"),
           &SimulatorWindow::Clap);

    bar->addWidget(new QLabel(QStringLiteral("速度:"), this));
    m_speedBox = new QComboBox(this);
    m_speedBox->setObjectName(QStringLiteral("SpeedBox"));
    m_speedBox->setFocusPolicy(Qt::NoFocus);
    for (int speed : kSpeeds)
        m_speedBox->addItem(QStringLiteral("×%1").arg(speed), speed);
    connect(m_speedBox, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { SetSpeed(m_speedBox->itemData(index).toInt()); });
    bar->addWidget(m_speedBox);

    bar->addWidget(new QLabel(QStringLiteral("场地:"), this));
    m_arenaBox = new QComboBox(this);
    m_arenaBox->setObjectName(QStringLiteral("ArenaBox"));
    m_arenaBox->setFocusPolicy(Qt::NoFocus);
    for (const std::string& name : ShippedArenaNames()) {
        const Result<Arena> arena = LoadArena(name);
        const QString shown = arena && !arena->name.empty() ? Text(arena->name) : QString::fromStdString(name);
        m_arenaBox->addItem(shown, QString::fromStdString(name));
    }
    m_arenaBox->addItem(QStringLiteral("其他场地文件..."), QString());
    connect(m_arenaBox, qOverload<int>(&QComboBox::activated), this, &SimulatorWindow::ChooseArenaFromList);
    bar->addWidget(m_arenaBox);
    bar->addStretch(1);

    auto* body = new QHBoxLayout;
    column->addLayout(body, 1);
    m_view = new ArenaView(this);
    body->addWidget(m_view, 1);
    connect(m_view, &ArenaView::StartPoseDragged, this, [this](Pose pose) {
        m_arena.start = pose;
        Reset();
    });

    auto* side = new QVBoxLayout;
    body->addLayout(side);
    m_timeLabel = new QLabel(this);
    m_timeLabel->setObjectName(QStringLiteral("TimeLabel"));
    side->addWidget(m_timeLabel);
    m_programView = new QPlainTextEdit(this);
    m_programView->setObjectName(QStringLiteral("ProgramView"));
    m_programView->setReadOnly(true);
    m_programView->setFocusPolicy(Qt::NoFocus);
    m_programView->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_programView->setFixedWidth(340);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(11);
    m_programView->setFont(mono);
    side->addWidget(m_programView, 1);
    auto label = [&](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFixedWidth(340);
        l->setWordWrap(true);
        side->addWidget(l);
        return l;
    };
    m_sensorLabel = label("SensorLabel");
    m_outputLabel = label("OutputLabel");
    m_voiceLabel = label("VoiceLabel");
    m_noteLabel = label("NoteLabel");
    m_messageLabel = label("MessageLabel");
    m_messageLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
}

void SimulatorWindow::SetProgram(const std::string& text)
{
    m_text = text;
    m_programView->setPlainText(Text(text));
    Reset();
}

bool SimulatorWindow::SelectArena(const std::string& nameOrFile)
{
    Result<Arena> arena = LoadArena(nameOrFile);
    if (!arena) {
        m_messageLabel->setText(Text(arena.Message()));
        return false;
    }
    m_arena = std::move(*arena);
    m_arenaName = nameOrFile;
    const int index = m_arenaBox->findData(QString::fromStdString(nameOrFile));
    if (index >= 0) {
        m_arenaBox->setCurrentIndex(index);
    } else {
        const QString shown =
            m_arena.name.empty() ? QFileInfo(QString::fromStdString(nameOrFile)).fileName() : Text(m_arena.name);
        m_arenaBox->insertItem(m_arenaBox->count() - 1, shown, QString::fromStdString(nameOrFile));
        m_arenaBox->setCurrentIndex(m_arenaBox->count() - 2);
    }
    m_view->SetArena(m_arena);
    Reset();
    return true;
}

void SimulatorWindow::ChooseArenaFromList(int index)
{
    QString name = m_arenaBox->itemData(index).toString();
    if (name.isEmpty()) {
        name = QFileDialog::getOpenFileName(this, QStringLiteral("打开场地文件"), QString(),
                                            QStringLiteral("场地文件 (*.arena);;所有文件 (*)"));
        if (name.isEmpty()) {
            m_arenaBox->setCurrentIndex(std::max(0, m_arenaBox->findData(QString::fromStdString(m_arenaName))));
            return;
        }
    }
    if (!SelectArena(name.toStdString()))
        m_arenaBox->setCurrentIndex(std::max(0, m_arenaBox->findData(QString::fromStdString(m_arenaName))));
}

void SimulatorWindow::Reset()
{
    m_timer.stop();
    m_running = false;
    m_tones->Stop();
    RunOptions options;
    options.limitUs = kWindowLimitUs;
    options.phrases = m_phrases;
    m_simulation = std::make_unique<Simulation>(m_text, m_arena, options);
    m_simulation->SetSink([this](const TraceRecord& record) { OnRecord(record); });
    m_view->SetSimulation(m_simulation.get());
    m_view->ClearPath();
    m_voiceLabel->setText(QStringLiteral("语音: -"));
    m_noteLabel->setText(QStringLiteral("音符: -"));
    m_messageLabel->setText(m_simulation->HasProgramErrors()
                                ? QStringLiteral("程序有错, 不能运行: ") + Text(m_simulation->FirstError())
                                : QString());
    m_shownLine = -1;
    ShowState();
}

void SimulatorWindow::Start()
{
    if (!m_simulation || m_simulation->Ended())
        Reset();
    m_running = true;
    m_clock.start();
    m_timer.start();
    ShowState();
}

void SimulatorWindow::Pause()
{
    m_running = false;
    m_timer.stop();
    m_tones->Stop();
    ShowState();
}

void SimulatorWindow::Step()
{
    Pause();
    if (m_simulation->Ended())
        return;
    m_simulation->StepStatement();
    m_view->TrackPath();
    ShowState();
}

void SimulatorWindow::SetSpeed(int factor)
{
    m_speed = factor;
    const int index = m_speedBox->findData(factor);
    if (index >= 0)
        m_speedBox->setCurrentIndex(index);
    if (factor != 1)
        m_tones->Stop();
}

void SimulatorWindow::Clap()
{
    if (m_simulation)
        m_simulation->Clap();
}

void SimulatorWindow::OnTimer()
{
    const int64_t realUs = m_clock.nsecsElapsed() / 1000;
    m_clock.restart();
    AdvanceFrame(realUs);
}

void SimulatorWindow::AdvanceFrame(int64_t realUs)
{
    if (!m_running || !m_simulation)
        return;
    realUs = std::clamp<int64_t>(realUs, 0, kMaxFrameUs);
    m_simulation->RunUntil(m_simulation->NowUs() + realUs * m_speed);
    m_view->TrackPath();
    if (m_simulation->Ended()) {
        m_running = false;
        m_timer.stop();
    }
    ShowState();
}

void SimulatorWindow::OnRecord(const TraceRecord& record)
{
    switch (record.event) {
    case TraceRecord::Event::kPlay: {
        const QString pitch =
            record.pitchHz > 0 ? QStringLiteral("%1 Hz").arg(record.pitchHz, 0, 'f', 1) : QStringLiteral("休止");
        m_noteLabel->setText(QStringLiteral("音符: %1 (%2, %3 毫秒)%4")
                                 .arg(QString::fromStdString(record.note), pitch)
                                 .arg(record.durationMs)
                                 .arg(m_tones->Available() ? QString() : QStringLiteral(" [无声卡]")));
        if (m_speed == 1 && m_running)
            m_tones->Play(record.pitchHz, record.durationMs);
        break;
    }
    case TraceRecord::Event::kVoice:
        m_voiceLabel->setText(QStringLiteral("语音: %1 %2").arg(record.voiceIndex).arg(Text(record.voiceText)));
        break;
    case TraceRecord::Event::kError:
        m_messageLabel->setText(Text(record.message));
        break;
    case TraceRecord::Event::kEnd:
        if (record.reason == "end")
            m_messageLabel->setText(QStringLiteral("程序运行结束"));
        else if (record.reason == "time")
            m_messageLabel->setText(QStringLiteral("时间到, 程序停止"));
        break;
    default:
        break;
    }
    emit Record(record);
}

void SimulatorWindow::ShowLine(int line)
{
    if (line == m_shownLine)
        return;
    m_shownLine = line;
    QList<QTextEdit::ExtraSelection> selections;
    const QTextBlock block = m_programView->document()->findBlockByNumber(line - 1);
    if (line > 0 && block.isValid()) {
        QTextEdit::ExtraSelection selection;
        selection.format.setBackground(QColor(255, 230, 120));
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        selection.cursor = QTextCursor(block);
        selections << selection;
        m_programView->setTextCursor(QTextCursor(block));
        m_programView->ensureCursorVisible();
    }
    m_programView->setExtraSelections(selections);
}

void SimulatorWindow::ShowState()
{
    const Simulation& s = *m_simulation;
    const Pose& pose = s.Body().GetPose();
    QString state =
        s.Ended() ? QStringLiteral("已结束") : (m_running ? QStringLiteral("运行中") : QStringLiteral("已停"));
    m_timeLabel->setText(QStringLiteral("时间 %1 秒  %2\n位置 x=%3 y=%4 朝向 %5°")
                             .arg(s.NowUs() / 1e6, 0, 'f', 2)
                             .arg(state)
                             .arg(pose.x, 0, 'f', 0)
                             .arg(pose.y, 0, 'f', 0)
                             .arg(pose.headingDeg, 0, 'f', 0));
    QString switches;
    for (int i = 0; i < kSwitchCount; ++i)
        switches += QStringLiteral(" %1").arg((s.Body().Switches() >> i) & 1);
    QString adc;
    for (int i = 0; i < kAdcCount; ++i)
        adc += QStringLiteral(" %1").arg(s.ReadAdc(i));
    m_sensorLabel->setText(QStringLiteral("开关 pc0..pc4:%1\n模拟 adc0..adc7:%2\n端口 pina..pind: %3 %4 %5 %6")
                               .arg(switches, adc)
                               .arg(s.ReadPin(0))
                               .arg(s.ReadPin(1))
                               .arg(s.ReadPin(2))
                               .arg(s.ReadPin(3)));
    const Outputs& out = s.GetOutputs();
    QString leds;
    for (int i = 0; i < 3; ++i)
        leds += ((out.led >> i) & 1) ? QStringLiteral("○") : QStringLiteral("●");
    QString servos;
    for (int i = 0; i < kServoCount; ++i)
        servos += QStringLiteral(" %1°").arg(out.servoDeg[i], 0, 'f', 0);
    m_outputLabel->setText(QStringLiteral("电机 %1, %2   LED %3\n舵机%4 (速度 %5)")
                               .arg(s.Body().LeftMotor())
                               .arg(s.Body().RightMotor())
                               .arg(leds, servos)
                               .arg(out.servoSpeed));
    ShowLine(s.CurrentLine());
    m_startButton->setEnabled(!m_running);
    m_pauseButton->setEnabled(m_running);
    m_stepButton->setEnabled(!s.Ended());
    m_view->SetDragEnabled(!m_running);
    m_view->update();
}

void SimulatorWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat())
        Clap();
}

void SimulatorWindow::closeEvent(QCloseEvent* event)
{
    Pause();
    QWidget::closeEvent(event);
}

} // namespace talvex::sim
