#include "qt_sound.h"

#include "format/wav.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>

#include <string_view>

namespace kestrel::app {

namespace {

// The silence after a sample's data, in milliseconds.
constexpr int kTrailingSilenceMs = 250;

} // namespace

QtSound::QtSound() = default;

QtSound::~QtSound() {
    stop();
}

bool QtSound::hasOutput() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

void QtSound::stop() {
    if (sink_) sink_->stop();
    sink_.reset();
    buffer_.reset();
}

Status QtSound::play(const std::string& wavPath) {
    // A pipe or a device in place of the sample would keep the player
    // reading for ever: only regular files are played.
    const QString path = QString::fromStdString(wavPath); // UTF-8
    const QFileInfo info(path);
    if (!info.isFile()) return Status::failure("it is not a regular file");
    if (static_cast<std::uint64_t>(info.size()) > kMaxReadBytes)
        return Status::failure("it is larger than 256 MiB");
    stop();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Status::failure(file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const WavFormat wav = readWavFormat(view);
    if (wav.kind == WavKind::Unreadable) return Status::failure("it is not a wave file");
    const std::optional<std::string> samples = toPcm16(view, wav);
    if (!samples) return Status::failure("its coding is neither PCM nor floating point");

    QAudioFormat format;
    format.setSampleRate(static_cast<int>(wav.sampleRate));
    format.setChannelCount(wav.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isFormatSupported(format))
        return Status::failure("the audio output does not take " + std::to_string(wav.sampleRate) +
                               " Hz in " + std::to_string(wav.channels) + " channels");
    data_ = QByteArray(samples->data(), static_cast<qsizetype>(samples->size()));
    const qsizetype silentFrames =
        static_cast<qsizetype>(wav.sampleRate) * kTrailingSilenceMs / 1000;
    data_.append(silentFrames * wav.channels * 2, '\0');
    buffer_ = std::make_unique<QBuffer>(&data_);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(buffer_.get());
    if (sink_->error() != QAudio::NoError) return Status::failure("the audio output refused it");
    return Status::success();
}

} // namespace kestrel::app
