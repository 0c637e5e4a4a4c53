#include "sim/ui/toneplayer.h"

#include <cmath>
#include <cstring>

#ifdef TALVEX_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#endif

namespace talvex::sim {

namespace {
constexpr int kSampleRate = 22050;
constexpr double kVolume = 0.25;
} // namespace

#ifdef TALVEX_HAVE_MULTIMEDIA

// The sink pulls from a buffer that grows as notes come; played bytes are
// dropped from its front now and then.
class PcmQueue : public QIODevice {
  public:
    explicit PcmQueue(QObject* parent) : QIODevice(parent) { open(QIODevice::ReadOnly); }
    void Append(const QByteArray& bytes) { m_data.append(bytes); }
    void Clear() { m_data.clear(); }
    qint64 bytesAvailable() const override { return m_data.size() + QIODevice::bytesAvailable(); }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        // Silence while nothing is queued keeps the sink running without gaps.
        const qint64 n = std::min<qint64>(maxSize, std::max<qint64>(m_data.size(), 0));
        if (n > 0) {
            std::memcpy(data, m_data.constData(), static_cast<size_t>(n));
            m_data.remove(0, n);
            return n;
        }
        const qint64 quiet = std::min<qint64>(maxSize, kSampleRate / 50 * 2);
        std::memset(data, 0, static_cast<size_t>(quiet));
        return quiet;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QByteArray m_data;
};

struct TonePlayer::Output {
    std::unique_ptr<QAudioSink> sink;
    PcmQueue* queue = nullptr;
};

TonePlayer::TonePlayer(QObject* parent) : QObject(parent), m_output(std::make_unique<Output>())
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(kSampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return;
    m_output->sink = std::make_unique<QAudioSink>(device, format);
    m_output->queue = new PcmQueue(this);
    m_output->sink->start(m_output->queue);
}

TonePlayer::~TonePlayer()
{
    if (m_output->sink)
        m_output->sink->stop();
}

bool TonePlayer::Available() const
{
    return m_output->sink != nullptr;
}

void TonePlayer::Play(double hz, int durationMs)
{
    if (!Available() || durationMs <= 0)
        return;
    const int samples = kSampleRate * durationMs / 1000;
    QByteArray pcm(samples * 2, Qt::Uninitialized);
    auto* out = reinterpret_cast<int16_t*>(pcm.data());
    // A short fade at both ends keeps the notes from clicking.
    const int fade = std::min(samples / 4, kSampleRate / 200);
    for (int i = 0; i < samples; ++i) {
        double v = hz > 0 ? std::sin(2 * M_PI * hz * i / kSampleRate) : 0;
        if (i < fade)
            v *= static_cast<double>(i) / fade;
        if (samples - i < fade)
            v *= static_cast<double>(samples - i) / fade;
        out[i] = static_cast<int16_t>(v * kVolume * 32767);
    }
    m_output->queue->Append(pcm);
}

void TonePlayer::Stop()
{
    if (Available())
        m_output->queue->Clear();
}

#else

struct TonePlayer::Output {};

TonePlayer::TonePlayer(QObject* parent) : QObject(parent), m_output(std::make_unique<Output>()) {}
TonePlayer::~TonePlayer() = default;
bool TonePlayer::Available() const
{
    return false;
}
void TonePlayer::Play(double, int) {}
void TonePlayer::Stop() {}

#endif

} // namespace talvex::sim
