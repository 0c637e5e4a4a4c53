#pragma once

#include <QObject>

#include <memory>

namespace talvex::sim {

// Plays melody notes as sine tones on the default sound output, when the
// build has QtMultimedia and the machine a sound card; otherwise it is
// silent and says so. Notes are queued and never block the caller.
class TonePlayer : public QObject {
    Q_OBJECT
  public:
    explicit TonePlayer(QObject* parent = nullptr);
    ~TonePlayer() override;

    bool Available() const;
    // Queues a note; 0 Hz is a rest.
    void Play(double hz, int durationMs);
    // Drops what is queued and falls silent.
    void Stop();

  private:
    struct Output;
    std::unique_ptr<Output> m_output;
};

} // namespace talvex::sim
