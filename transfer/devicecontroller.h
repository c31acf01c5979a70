#pragma once
// The device as the program holds it: the open port, the device's path, the device lock
// and the transfer that runs on it, with what a transfer defers (the re-open after it, a
// removal during it). No widgets: the window shows what it says, and the command-line
// tool uses it for one command at a time.

#include "device/capture.h"
#include "device/devicelock.h"
#include "device/discovery.h"
#include "device/hidport.h"
#include "transfer/transferjob.h"
#include "userfiles/history.h"

#include <QObject>
#include <memory>

namespace tarvenix {

// What an open found.
struct OpenResult {
    Failure failure{FailureCode::NoDevice, {}}; // HidapiFailed, NoDevice or OpenFailed
    // Busy when another program held the device, which was then not asked.
    Failure versionFailure{FailureCode::Busy, {}};
    QString version;

    // Whether the device was asked its version and the query went out.
    bool versionRead() const
    {
        return !failure && versionFailure.code != FailureCode::WriteFailed &&
               versionFailure.code != FailureCode::Busy;
    }
};

class DeviceController : public QObject {
    Q_OBJECT

  public:
    explicit DeviceController(QObject *parent = nullptr);
    // Awaits a running transfer: no job may outlive the port it uses.
    ~DeviceController() override;

    // Finds the first supported device afresh, opens it and asks its version unless
    // another program holds it, and tells opened() what it found. While a transfer holds
    // the device, the re-open waits for the transfer's end instead: what it returns then is
    // the device the transfer uses, and nothing was asked.
    OpenResult open();
    // Closes the device, telling nobody.
    void close();
    // A listed device arrived: opens it, after the running transfer if one runs.
    void deviceArrived();
    // A listed device went away: closes it and tells removed(); during a transfer, stops
    // the transfer and closes the device once it has ended.
    void deviceRemoved();

    // Records every exchange with the device into capture from the next open on, and the
    // arrivals and removals it is told of; null records nothing.
    void record(std::shared_ptr<Capture> capture) { capture_ = std::move(capture); }

    // For one command of the command-line tool: finds the device at `wanted` (or the
    // first supported one), locks it for as long as this controller lives and opens it.
    // Its transfers then run under that lock.
    Failure claim(const QString &wanted);
    // The same for a device just found, without looking for it again: a run on several
    // devices finds them all in one enumeration.
    Failure claim(const FoundDevice &device);
    // The version query on the open device, cut short by a stop; a transfer's record keeps
    // what it said.
    Failure queryVersion(QString &version, const StopRequest *stop = nullptr);
    // The device as hidapi lists it, with its strings; from its table row alone when it is no
    // longer listed. hidapi must be started.
    FoundDevice identity() const;
    // The one answer to "is a transfer running".
    bool transferRunning() const { return job_ != nullptr; }
    // The one way a transfer starts, in every front end: locks the device for it (unless a
    // claim holds it already) and starts it on the job, the request's file and choices taken
    // as they are, the rest filled in here (the file noted, unless the request noted it; a
    // backup's name), and its start line written to the history: Busy or LockFailed when
    // the lock cannot be had. The end comes through transferEnded().
    Failure startTransfer(TransferJob *job, TransferRequest request);
    // Asks a running transfer to stop before its next block; it ends as any other.
    void stopTransfer(StopCause cause);
    void stopTransferBySignal(int signalNumber);
    // Stops a running transfer and returns once it has ended, told as any other end.
    void endTransfer(StopCause cause);

    const HidPortPtr &port() const { return port_; }
    // The device's path as hidapi gives it, zero-terminated; all zero while none was found.
    const char (&pathBytes() const)[kDevicePathSize] { return path_; }
    QString path() const { return QString::fromLocal8Bit(path_); }
    // The 1-based row of kSupportedDevices that the device matched; 0 when none did.
    int row() const { return row_; }

  signals:
    // After every open, one that waited for a transfer included.
    void opened(const tarvenix::OpenResult &result);
    // After a removal closed the device.
    void removed();
    // Every transfer ends here, once, after its end line went into the history (a verify,
    // which changes nothing, is not recorded; the start line went in as it started); a firmware
    // download's only after the device was opened again and asked its version (unless a stop
    // was asked for after its last block), and the device's lock released unless a claim
    // holds it.
    void transferEnded(tarvenix::TransferJob *job, const tarvenix::TransferRecord &record);

  private:
    OpenResult openFirstDevice();
    HidPortPtr openDevicePort() const;
    Failure find(const QString &wanted);
    void take(const FoundDevice &device);
    Failure lockAndOpen();
    void complete(TransferRequest &request, const TransferRecord &record) const;
    void finishTransfer(const TransferOutcome &outcome);
    void askVersionAfterFirmware(const StopRequest &stop);

    // Declared before the port, so that the device is closed before the lock goes.
    std::unique_ptr<DeviceLock> lock_;
    bool claimed_ = false; // the lock is held for the controller's life, not a transfer's
    HidPortPtr port_;
    char path_[kDevicePathSize] = {};
    int row_ = 0;
    // The held device's identity, found once: its strings do not change while it is held,
    // and each enumeration walks the whole of sysfs. Empty when not yet found.
    mutable FoundDevice identity_;
    QString version_; // as the device last said it
    TransferJob *job_ = nullptr;
    TransferRecord record_;
    bool reopenAfterTransfer_ = false;
    bool removedDuringTransfer_ = false;
    std::shared_ptr<Capture> capture_;
};

} // namespace tarvenix
