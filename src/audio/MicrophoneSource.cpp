// The microphone as a SoundSource: QAudioSource pushing into a small device
// that converts each write to planar float.

#include "audio/SoundSource.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

#include <cstring>

namespace vt {

namespace {

float sampleAt(const char* bytes, QAudioFormat::SampleFormat format, qint64 index)
{
    switch (format) {
    case QAudioFormat::UInt8: return (static_cast<unsigned char>(bytes[index]) - 128) / 128.0f;
    case QAudioFormat::Int16: {
        std::int16_t v;
        std::memcpy(&v, bytes + index * 2, sizeof v);
        return v / 32768.0f;
    }
    case QAudioFormat::Int32: {
        std::int32_t v;
        std::memcpy(&v, bytes + index * 4, sizeof v);
        return static_cast<float>(v / 2147483648.0);
    }
    case QAudioFormat::Float: {
        float v;
        std::memcpy(&v, bytes + index * 4, sizeof v);
        return v;
    }
    default: return 0;
    }
}

class SinkDevice : public QIODevice {
public:
    SinkDevice(QAudioFormat format, SoundSource::Sink sink) : format_(format), sink_(std::move(sink)) {}

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        const int frameBytes = format_.bytesPerFrame();
        const qint64 frames = frameBytes > 0 ? length / frameBytes : 0;
        const int channels = format_.channelCount();
        media::AudioBuffer block({format_.sampleRate(), channels}, frames);
        for (qint64 i = 0; i < frames; ++i)
            for (int c = 0; c < channels; ++c)
                block.planes[static_cast<std::size_t>(c)][static_cast<std::size_t>(i)] = sampleAt(data, format_.sampleFormat(), i * channels + c);
        if (frames > 0) sink_(block);
        return length;
    }

private:
    QAudioFormat format_;
    SoundSource::Sink sink_;
};

class MicrophoneSource : public SoundSource {
public:
    bool start(Sink sink) override
    {
        const QAudioDevice device = QMediaDevices::defaultAudioInput();
        if (device.isNull()) return false;
        QAudioFormat format;
        format.setSampleRate(48'000);
        format.setChannelCount(1);
        format.setSampleFormat(QAudioFormat::Float);
        if (!device.isFormatSupported(format)) format = device.preferredFormat();
        if (!format.isValid()) return false;
        auto input = std::make_unique<QAudioSource>(device, format);
        auto target = std::make_unique<SinkDevice>(format, std::move(sink));
        if (!target->open(QIODevice::WriteOnly)) return false;
        input->start(target.get());
        if (input->error() != QAudio::NoError || input->state() == QAudio::StoppedState) return false;
        input_ = std::move(input);
        target_ = std::move(target);
        return true;
    }

    void stop() override
    {
        if (input_) input_->stop();
        input_.reset();
        target_.reset();
    }

    ~MicrophoneSource() override { stop(); }

private:
    std::unique_ptr<QAudioSource> input_;
    std::unique_ptr<SinkDevice> target_;
};

}  // namespace

std::unique_ptr<SoundSource> makeMicrophoneSource() { return std::make_unique<MicrophoneSource>(); }

}  // namespace vt
