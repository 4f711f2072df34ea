#include "lab/SoundOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

// What both threads see. Shared, so that a stream thread which outlives its owner (a sound
// server that hangs at exit) still finds it.
struct TSoundShared {
    TToneGenerator generator;
    std::atomic<bool> listening{false};
    std::atomic<bool> playing{false};
    std::atomic<int> underruns{0};
    std::atomic<qint64> framesWritten{0};
};

namespace {

// The stream's buffer: long enough to ride out a busy moment of the stream thread, short enough
// that Listen off is heard at once. PulseAudio grants somewhat less than asked.
constexpr int BufferMs = 100;
// How often the stream is topped up.
constexpr int TickMs = 10;
// Frames rendered at a time; the scratch buffers are this long, made once.
constexpr int ChunkFrames = 512;

const char* const NoDevice = "No sound output: no sound server or audio device was found.";
const char* const NoFormat =
    "No sound output: the audio device takes no format this program plays.";
const char* const NoStream = "No sound output: the audio device could not be opened.";
const char* const Failed = "No sound output: the audio device stopped working.";

} // namespace

// Lives on the stream thread: owns the sink and feeds it from a timer (push mode). Qt 6.4's
// PulseAudio sink in pull mode asks for whole 20 ms periods and never starts when the buffer the
// server grants is not a multiple of them; pushing whatever the server has room for always fills
// it.
class TSoundStream : public QObject {
    Q_OBJECT
public:
    explicit TSoundStream(std::shared_ptr<TSoundShared> shared)
        : fShared(std::move(shared)), fTick(this) {
        fTick.setTimerType(Qt::PreciseTimer);
        fTick.setInterval(TickMs);
        connect(&fTick, &QTimer::timeout, this, &TSoundStream::Feed);
    }

    ~TSoundStream() override { Stop(); }

    void Probe();
    void Start();
    void Stop();

signals:
    void Reported(int status, const QString& reason, int sampleRate);

private:
    void Feed();
    void Fail(const char* reason);
    void Write(int frames);

    std::shared_ptr<TSoundShared> fShared;
    QAudioDevice fDevice;
    QAudioFormat fFormat;
    QAudioSink* fSink = nullptr;
    QIODevice* fInput = nullptr;
    QTimer fTick;
    bool fAvailable = false;

    qint64 fWritten = 0; // since the stream opened
    QElapsedTimer fSilentFor;

    std::vector<float> fMono;
    std::vector<char> fBytes;
};

void TSoundStream::Probe() {
    fDevice = QMediaDevices::defaultAudioOutput();
    if (fDevice.isNull())
        return Fail(NoDevice);
    const QAudioFormat preferred = fDevice.preferredFormat();
    QAudioFormat mono;
    mono.setSampleRate(preferred.sampleRate() > 0 ? preferred.sampleRate() : 48000);
    mono.setChannelCount(1);
    mono.setSampleFormat(QAudioFormat::Float);
    fFormat = fDevice.isFormatSupported(mono) ? mono : preferred;
    const auto sampleFormat = fFormat.sampleFormat();
    if (fFormat.sampleRate() <= 0 || fFormat.channelCount() <= 0 ||
        (sampleFormat != QAudioFormat::Float && sampleFormat != QAudioFormat::Int16))
        return Fail(NoFormat);

    fMono.resize(ChunkFrames);
    fBytes.resize(static_cast<std::size_t>(ChunkFrames * fFormat.bytesPerFrame()));
    fShared->generator.Prepare(fFormat.sampleRate(), ChunkFrames);
    fAvailable = true;
    emit Reported(int(TSoundOutput::TStatus::Ready), QString(), fFormat.sampleRate());
    if (fShared->listening.load())
        Start();
}

void TSoundStream::Fail(const char* reason) {
    Stop();
    fAvailable = false;
    fShared->listening.store(false);
    fShared->generator.SetOn(false);
    emit Reported(int(TSoundOutput::TStatus::Unavailable), QString::fromUtf8(reason), 0);
}

void TSoundStream::Start() {
    if (!fAvailable || fSink)
        return;
    fSink = new QAudioSink(fDevice, fFormat, this);
    fSink->setBufferSize(fFormat.bytesForDuration(BufferMs * 1000));
    fInput = fSink->start();
    if (!fInput || fSink->error() != QAudio::NoError)
        return Fail(NoStream);
    connect(fSink, &QAudioSink::stateChanged, this, [this] {
        const QAudio::Error error = fSink ? fSink->error() : QAudio::NoError;
        if (error == QAudio::OpenError || error == QAudio::IOError || error == QAudio::FatalError)
            Fail(Failed);
    });
    fShared->generator.Reset();
    fWritten = 0;
    fSilentFor.invalidate();
    fShared->playing.store(true);
    fTick.start();
    Feed();
}

void TSoundStream::Stop() {
    fTick.stop();
    if (fSink) {
        fSink->disconnect(this);
        fSink->stop();
        fSink->deleteLater(); // Stop() may run inside one of the sink's own signals
        fSink = nullptr;
        fInput = nullptr;
    }
    fShared->playing.store(false);
}

void TSoundStream::Feed() {
    if (!fSink)
        return;
    // The server asks for a whole buffer only when it has played everything it had: it ran dry.
    // (Qt 6.4 reports a push-mode stream's underflow as the end of its data, not as an error.)
    const qint64 bytesPerFrame = fFormat.bytesPerFrame();
    const int frames = static_cast<int>(fSink->bytesFree() / bytesPerFrame);
    if (fWritten > 0 && frames >= fSink->bufferSize() / bytesPerFrame)
        fShared->underruns.fetch_add(1);
    for (int left = frames; left > 0; left -= ChunkFrames)
        Write(std::min(left, ChunkFrames));

    // Off, and the silence after the fade has been heard through the whole buffer: close.
    if (!fShared->listening.load() && fShared->generator.Silent()) {
        if (!fSilentFor.isValid())
            fSilentFor.start();
        else if (fSilentFor.elapsed() > 2 * BufferMs)
            Stop();
    } else {
        fSilentFor.invalidate();
    }
}

void TSoundStream::Write(int frames) {
    fShared->generator.Process(std::span<float>(fMono.data(), static_cast<std::size_t>(frames)));
    const int channels = fFormat.channelCount();
    char* out = fBytes.data();
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            if (fFormat.sampleFormat() == QAudioFormat::Float) {
                std::memcpy(out, &fMono[i], sizeof(float));
                out += sizeof(float);
            } else {
                const auto v = static_cast<qint16>(std::lround(fMono[i] * 32767.0f));
                std::memcpy(out, &v, sizeof v);
                out += sizeof v;
            }
        }
    }
    const qint64 bytes = fInput->write(fBytes.data(), out - fBytes.data());
    const qint64 written = bytes > 0 ? bytes / fFormat.bytesPerFrame() : 0;
    fWritten += written;
    fShared->framesWritten.fetch_add(written);
}

TSoundOutput::TSoundOutput(QObject* parent)
    : QObject(parent), fShared(std::make_shared<TSoundShared>()), fThread(new QThread(this)),
      fStream(new TSoundStream(fShared)) {
    fThread->setObjectName("sound output");
    fStream->moveToThread(fThread);
    connect(fThread, &QThread::finished, fStream, &QObject::deleteLater);
    connect(fStream, &TSoundStream::Reported, this, &TSoundOutput::Report);
    fThread->start(QThread::TimeCriticalPriority);
    QMetaObject::invokeMethod(fStream, &TSoundStream::Probe, Qt::QueuedConnection);
}

TSoundOutput::~TSoundOutput() {
    fThread->quit();
    // A sound server that does not answer could hold the stream thread for ever; leave it
    // running rather than block the program's exit. It only uses what it shares.
    if (!fThread->wait(2000))
        fThread->setParent(nullptr);
}

TToneGenerator& TSoundOutput::Generator() {
    return fShared->generator;
}

void TSoundOutput::SetListening(bool on) {
    if (on && fStatus == TStatus::Unavailable)
        return;
    fShared->listening.store(on);
    fShared->generator.SetOn(on);
    if (on)
        QMetaObject::invokeMethod(fStream, &TSoundStream::Start, Qt::QueuedConnection);
}

bool TSoundOutput::Listening() const {
    return fShared->listening.load();
}
bool TSoundOutput::Playing() const {
    return fShared->playing.load();
}
int TSoundOutput::Underruns() const {
    return fShared->underruns.load();
}
qint64 TSoundOutput::FramesWritten() const {
    return fShared->framesWritten.load();
}

void TSoundOutput::Report(int status, const QString& reason, int sampleRate) {
    fStatus = static_cast<TStatus>(status);
    fReason = reason;
    fSampleRate = sampleRate;
    emit StatusChanged();
}

#include "SoundOutput.moc"
