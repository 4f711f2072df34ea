// Plays the tone generator on the default sound output. The stream is fed from a thread of its
// own, so a busy interface thread never starves it, and everything that may wait for the sound
// server (finding the device, opening the stream) happens on that thread too: no call here blocks,
// and nothing is shown to the user.
#pragma once

#include "signal/ToneGenerator.h"

#include <QObject>
#include <QString>
#include <memory>

class QThread;
class TSoundStream;
struct TSoundShared;

class TSoundOutput : public QObject {
    Q_OBJECT
public:
    enum class TStatus { Probing, Ready, Unavailable };

    // Starts looking for an output at once; StatusChanged says when it knows.
    explicit TSoundOutput(QObject* parent = nullptr);
    ~TSoundOutput() override;

    // Table, pitch, volume and filter, set from this object's thread while it plays or not.
    TToneGenerator& Generator();

    TStatus Status() const { return fStatus; }
    // Why there is no sound, in words for the disabled "Listen"; empty unless Unavailable.
    QString UnavailableReason() const { return fReason; }
    // The output's sample rate; 0 until Ready.
    int SampleRate() const { return fSampleRate; }

    // On opens the stream if it is closed and fades in; off fades out, and the stream closes once
    // the silence has played. Ignored while the output is unavailable.
    void SetListening(bool on);
    bool Listening() const;
    // The stream is open (it stays open a little after Listen off, for the fade to play).
    bool Playing() const;

    // Times the output ran dry since this object was made; and the frames handed to it.
    int Underruns() const;
    qint64 FramesWritten() const;

signals:
    void StatusChanged();

private:
    void Report(int status, const QString& reason, int sampleRate);

    std::shared_ptr<TSoundShared> fShared;
    QThread* fThread;
    TSoundStream* fStream;
    TStatus fStatus = TStatus::Probing;
    QString fReason;
    int fSampleRate = 0;
};
