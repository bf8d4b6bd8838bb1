#include "editor/SoundOutput.h"

#include <QAudioSink>
#include <QMediaDevices>
#include <QTimer>

namespace vt {
namespace {

constexpr int timerBlockMs = 20;

}  // namespace

// The player's sound as the device reads it: interleaved 32-bit floats.
class SoundOutput::Stream final : public QIODevice {
public:
    explicit Stream(Player& player) : player_(player) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 4096 + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 frames = maxSize / qint64(sizeof(float) * format.channels);
        if (frames <= 0) return 0;
        const media::AudioBuffer sound = player_.pullSound(frames);
        auto* out = reinterpret_cast<float*>(data);
        for (qint64 i = 0; i < frames; ++i)
            for (int c = 0; c < format.channels; ++c) *out++ = sound.planes[std::size_t(c)][std::size_t(i)];
        return frames * qint64(sizeof(float)) * format.channels;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    Player& player_;
};

SoundOutput::SoundOutput(Player& player, bool useDevice, QObject* owner) : stream_(std::make_unique<Stream>(player))
{
    const QAudioDevice device = useDevice ? QMediaDevices::defaultAudioOutput() : QAudioDevice();
    QAudioFormat wanted;
    wanted.setSampleRate(format.sampleRate);
    wanted.setChannelCount(format.channels);
    wanted.setSampleFormat(QAudioFormat::Float);
    if (!device.isNull() && device.isFormatSupported(wanted)) {
        sink_ = std::make_unique<QAudioSink>(device, wanted);
        sink_->start(stream_.get());
        return;
    }
    timer_ = new QTimer(owner);
    timer_->setInterval(timerBlockMs);
    QObject::connect(timer_, &QTimer::timeout, owner, [&player] { player.pullSound(format.sampleRate * timerBlockMs / 1000); });
    timer_->start();
}

SoundOutput::~SoundOutput()
{
    if (sink_) sink_->stop();
    delete timer_;  // stops taking sound before the player goes
}

void SoundOutput::setMuted(bool muted)
{
    if (sink_) sink_->setVolume(muted ? 0.0 : 1.0);
}

}  // namespace vt
