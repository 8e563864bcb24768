#include "qt_sound.h"

#include "format/wav.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

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
    if (effect_) effect_->stop();
    sink_.reset();
    buffer_.reset();
}

bool QtSound::playDecoded(const QByteArray& file) {
    const std::string_view bytes(file.constData(), static_cast<std::size_t>(file.size()));
    const WavFormat wav = readWavFormat(bytes);
    if (wav.kind != WavKind::Pcm || (wav.bits != 8 && wav.bits != 16)) return false;
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(wav.sampleRate));
    format.setChannelCount(wav.channels);
    format.setSampleFormat(wav.bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) return false;

    const qsizetype frameBytes = static_cast<qsizetype>(wav.channels) * (wav.bits / 8);
    data_ = file.mid(static_cast<qsizetype>(wav.dataStart),
                     static_cast<qsizetype>(wav.frames()) * frameBytes);
    const auto silentFrames = static_cast<qsizetype>(wav.sampleRate) * kTrailingSilenceMs / 1000;
    data_.append(silentFrames * frameBytes, wav.bits == 8 ? '\x80' : '\0');
    buffer_ = std::make_unique<QBuffer>(&data_);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(buffer_.get());
    return sink_->error() == QAudio::NoError;
}

Status QtSound::play(const std::string& wavPath) {
    // Paths are local 8-bit names. A pipe or a device in place of the sample
    // would keep the player reading for ever: only regular files are played.
    const QString path = QString::fromLocal8Bit(wavPath);
    const QFileInfo info(path);
    if (!info.isFile()) return Status::failure("it is not a regular file");
    if (static_cast<std::uint64_t>(info.size()) > kMaxReadBytes)
        return Status::failure("it is larger than 256 MiB");
    stop();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Status::failure(file.errorString().toStdString());
    if (playDecoded(file.readAll())) return Status::success();
    sink_.reset();
    buffer_.reset();
    // Other codings: a file that cannot be decoded stays silent.
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(path));
    effect_->play();
    return Status::success();
}

} // namespace kestrel::app
