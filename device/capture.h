#pragma once
// A capture: what one program exchanged with one device, for a bug report or a test that
// replays it (tarvenix-emu --replay). JSON Lines that a person can read and diff: a line per
// open, close, write, read, plug and unplug, reports in hex with runs of a byte as "HH*N".
// Each line is written as it happens, so a program that crashes keeps what came before.

#include "device/discovery.h"
#include "device/failure.h"
#include "device/hidport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <functional>
#include <memory>

namespace tarvenix {

class Capture {
  public:
    // Starts a capture in file with its first line: the tool, its version, the platform,
    // hidapi's version, the time and the command line (see commandLine). Replaces a capture
    // of that name, never another file. Null when it cannot be had, *why saying why
    // (CaptureNotOurs or CaptureUnwritable): a capture never stops the program.
    static std::shared_ptr<Capture> start(const QString &file, const QString &tool,
                                          const QString &command, Failure *why = nullptr);
    // Called once, on the thread that wrote, when writing the capture fails during the run
    // (CaptureStopped): the program goes on without recording.
    void onStopped(std::function<void(const Failure &)> tell) { tellStopped_ = std::move(tell); }
    // The arguments after the program's name, as one line, each of userFiles (and an
    // option's "=FILE" value) replaced by FILE: a capture holds no name of the user's files.
    static QString commandLine(const QStringList &arguments, const QStringList &userFiles);

    Capture(const Capture &) = delete;
    Capture &operator=(const Capture &) = delete;

    // Nanoseconds since the capture started.
    qint64 now() const { return clock_.nsecsElapsed(); }

    // The program opened the device: its identity as listed, and its report descriptor.
    void opened(const FoundDevice &device);
    void closed();
    // A write that began at startNs and took tookNs; error: what the system said of a failure.
    void wrote(qint64 startNs, qint64 tookNs, const Report &request, bool ok, const QString &error);
    // A read that returned result (its length, 0 for none, -1 for a failure).
    void read(qint64 startNs, qint64 tookNs, int timeoutMs, ReadPurpose purpose,
              const Report &report, int result, const QString &error);
    // The device came or went, as the program learnt it; a change already told is not told
    // again (the window's removal event and a transfer's failure may both tell one unplug).
    void plugged();
    void unplugged(const QString &name);
    // The last line: the program ends normally with exitCode.
    void end(int exitCode);

  private:
    enum class Presence { Unknown, Present, Absent };

    explicit Capture(const QString &file) : file_(file) {}
    void put(QByteArray &line);

    QFile file_;
    QElapsedTimer clock_;
    QMutex mutex_;
    QByteArray line_; // the line being made, kept for its capacity
    Presence presence_ = Presence::Unknown;
    bool stopped_ = false; // no more lines: after the end, or once one could not be written
    std::function<void(const Failure &)> tellStopped_;
};

} // namespace tarvenix
