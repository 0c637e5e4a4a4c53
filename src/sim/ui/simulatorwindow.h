#pragma once

#include "sim/arena.h"
#include "sim/simulation.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace talvex::sim {

class ArenaView;
class TonePlayer;

// The simulator window "仿真": the arena with the robot, the program with its
// current line, the sensors, servos, voice and notes, and the controls. It
// is a window of its own: the simulation advances in small slices on a
// timer, so neither the editor nor this window ever waits for a program.
class SimulatorWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SimulatorWindow(QWidget* parent = nullptr);
    ~SimulatorWindow() override;

    // The program text as the robot receives it (GBK, already cleaned); the
    // run is reset and waits for "开始".
    void SetProgram(const std::string& text);
    // Chooses an arena by shipped name or file path; false with a message
    // shown when it cannot be read.
    bool SelectArena(const std::string& nameOrFile);
    void SetPhrases(std::vector<std::string> phrases) { m_phrases = std::move(phrases); }

    void Start();
    void Pause();
    void Step();
    void Reset();
    // The clock runs at 1, 4 or 16 times real time.
    void SetSpeed(int factor);
    void Clap();

    const Simulation* CurrentSimulation() const { return m_simulation.get(); }
    bool Running() const { return m_running; }
    // Runs the frame work for a slice of real time, as the timer does.
    void AdvanceFrame(int64_t realUs);

  signals:
    // Every trace record, as the simulation makes it.
    void Record(const talvex::sim::TraceRecord& record);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void OnTimer();
    void OnRecord(const TraceRecord& record);
    void ShowState();
    void ShowLine(int line);
    void ChooseArenaFromList(int index);

    std::string m_text;
    Arena m_arena;
    std::string m_arenaName;
    std::vector<std::string> m_phrases;
    std::unique_ptr<Simulation> m_simulation;
    bool m_running = false;
    int m_speed = 1;
    QTimer m_timer;
    QElapsedTimer m_clock;
    int m_shownLine = -1;

    ArenaView* m_view = nullptr;
    TonePlayer* m_tones = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_pauseButton = nullptr;
    QPushButton* m_stepButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QComboBox* m_speedBox = nullptr;
    QComboBox* m_arenaBox = nullptr;
    QPlainTextEdit* m_programView = nullptr;
    QLabel* m_timeLabel = nullptr;
    QLabel* m_sensorLabel = nullptr;
    QLabel* m_outputLabel = nullptr;
    QLabel* m_voiceLabel = nullptr;
    QLabel* m_noteLabel = nullptr;
    QLabel* m_messageLabel = nullptr;
};

} // namespace talvex::sim
