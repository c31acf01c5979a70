#include "transfer/devicecontroller.h"

#include "device/exchange.h"
#include "device/recordingport.h"
#include "device/trace.h"
#include "userfiles/backups.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <hidapi.h>

namespace tarvenix {

DeviceController::DeviceController(QObject *parent) : QObject(parent) {}

DeviceController::~DeviceController()
{
    if (!job_)
        return;
    job_->requestStop(StopCause::WindowClosed);
    job_->wait();
}

OpenResult DeviceController::openFirstDevice()
{
    OpenResult o;
    if (hid_init() == -1) {
        qCDebug(lcTrace, "hid_init() fail");
        o.failure = {FailureCode::HidapiFailed, {}};
        return o;
    }
    qCDebug(lcTrace, "hid_init ......");
    row_ = probeSupportedDevices(path_) + 1;
    identity_ = {};
    if (row_ == 0)
        return o;
    qCDebug(lcTrace).noquote() << "chHidDevicePath:" << path();
    port_ = openDevicePort();
    if (!port_) {
        qCDebug(lcTrace, "hid_open handle_loopSendEnterVoiceStatus fail ");
        o.failure = {FailureCode::OpenFailed, path()};
        return o;
    }
    qCDebug(lcTrace, "hid_open  sendvoicestatus/Simulate ok");
    o.failure = {};
    // A reply to our query would reach another program's transfer as its own.
    const DeviceLock lock(path());
    if (lock.acquired())
        o.versionFailure = tarvenix::queryVersion(*port_, o.version);
    else
        qCDebug(lcTrace, "device busy, version query skipped");
    // A device that was not asked has no known version, not the last device's.
    version_ = o.versionRead() ? o.version : QString();
    return o;
}

// Every port is opened here, recorded when a capture is asked for.
HidPortPtr DeviceController::openDevicePort() const
{
    HidPortPtr port = openPort(path_);
    if (!port || !capture_)
        return port;
    return recordingPort(std::move(port), capture_, path());
}

OpenResult DeviceController::open()
{
    qCDebug(lcTrace, "Enter VemoPressureMouseSetDlg::initHidDevice");
    if (transferRunning()) {
        // The port belongs to the transfer until it has ended.
        reopenAfterTransfer_ = true;
        OpenResult kept;
        if (port_)
            kept.failure = {};
        return kept;
    }
    port_.reset();
    const OpenResult o = openFirstDevice();
    emit opened(o);
    return o;
}

void DeviceController::close()
{
    port_.reset();
}

void DeviceController::deviceArrived()
{
    if (capture_)
        capture_->plugged();
    if (transferRunning())
        reopenAfterTransfer_ = true;
    else if (!open().failure)
        qCDebug(lcTrace, "re init ok");
}

void DeviceController::deviceRemoved()
{
    if (capture_ && path_[0])
        capture_->unplugged(path());
    if (transferRunning()) {
        // The job fails on its own port; the port is closed once the job has ended.
        removedDuringTransfer_ = true;
        job_->requestStop(StopCause::Unplugged);
        return;
    }
    std::memset(path_, 0, sizeof path_);
    identity_ = {};
    port_.reset();
    hid_exit();
    emit removed();
}

Failure DeviceController::find(const QString &wanted)
{
    if (wanted.isEmpty()) {
        row_ = probeSupportedDevices(path_) + 1;
        identity_ = {};
        return row_ ? Failure{} : Failure{FailureCode::NoDevice, {}};
    }
    const QVector<FoundDevice> devices = findSupportedDevices();
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [&](const FoundDevice &d) { return d.path == wanted; });
    if (found == devices.end())
        return {FailureCode::NoDevice, wanted};
    take(*found);
    return {};
}

void DeviceController::take(const FoundDevice &device)
{
    std::memset(path_, 0, sizeof path_);
    std::strncpy(path_, device.path.toLocal8Bit().constData(), kDevicePathCopy);
    row_ = device.row;
    identity_ = device;
}

Failure DeviceController::claim(const QString &wanted)
{
    if (Failure missing = find(wanted))
        return missing;
    return lockAndOpen();
}

Failure DeviceController::claim(const FoundDevice &device)
{
    take(device);
    return lockAndOpen();
}

Failure DeviceController::lockAndOpen()
{
    auto lock = std::make_unique<DeviceLock>(path());
    if (!lock->acquired())
        return lock->failure();
    lock_ = std::move(lock);
    claimed_ = true;
    port_ = openDevicePort();
    if (!port_)
        return {FailureCode::OpenFailed, path()};
    return {};
}

Failure DeviceController::queryVersion(QString &version, const StopRequest *stop)
{
    const Failure failure = tarvenix::queryVersion(*port_, version, stop);
    version_ = failure ? QString() : version;
    return failure;
}

FoundDevice DeviceController::identity() const
{
    const QString at = path();
    if (!at.isEmpty() && identity_.path == at)
        return identity_;
    for (const FoundDevice &device : findSupportedDevices()) {
        if (device.path == at)
            return identity_ = device;
    }
    FoundDevice device;
    device.row = row_;
    device.path = at;
    if (row_ > 0) {
        device.vendorId = kSupportedDevices[row_ - 1].vendorId;
        device.productId = kSupportedDevices[row_ - 1].productId;
    }
    return device;
}

// A data download's backup gets its name now, so that the start line names it.
void DeviceController::complete(TransferRequest &request, const TransferRecord &record) const
{
    request.devicePath = path();
    request.port = port_.get();
    request.deviceKey = backupKey(record.device);
    if (request.kind == TransferKind::Data && request.backup)
        request.backupFile = newBackupPath(request.deviceKey, record.time);
}

Failure DeviceController::startTransfer(TransferJob *job, TransferRequest request)
{
    if (!port_)
        return {FailureCode::NoDevice, {}};
    if (!claimed_) {
        auto lock = std::make_unique<DeviceLock>(path());
        if (!lock->acquired())
            return lock->failure();
        lock_ = std::move(lock);
    }
    job_ = job;
    request.kind = job->kind();
    record_ = TransferRecord(request.kind, identity(), request.file);
    record_.versionBefore = version_;
    record_.verify = request.kind == TransferKind::Data && request.verify;
    complete(request, record_);
    // A verify changes nothing and is not recorded; its loop notes its file itself.
    if (request.kind != TransferKind::Verify) {
        if (request.kind != TransferKind::Save && !request.source.exists)
            request.source = fileFacts(request.file);
        record_.source = request.source;
        record_.outcome.backupFile = request.backupFile;
        noteStartInHistory(record_);
    }
    connect(job, &TransferJob::result, this, &DeviceController::finishTransfer,
            Qt::UniqueConnection);
    job->start(request);
    return {};
}

void DeviceController::stopTransfer(StopCause cause)
{
    if (job_)
        job_->requestStop(cause);
}

void DeviceController::stopTransferBySignal(int signalNumber)
{
    if (job_)
        job_->requestStopBySignal(signalNumber);
}

void DeviceController::endTransfer(StopCause cause)
{
    if (!job_)
        return;
    job_->requestStop(cause);
    // The loop stops before its next block, so this wait ends within one reply bound.
    job_->wait();
    // The result is queued by now: it is taken here, through the one way a transfer ends.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void DeviceController::finishTransfer(const TransferOutcome &outcome)
{
    TransferJob *job = job_;
    if (!job)
        return;
    // The result is the run's last act, so this wait is over at once.
    job->wait();
    job_ = nullptr;
    if (!claimed_)
        lock_.reset();
    record_.finish(outcome);
    if (removedDuringTransfer_) {
        removedDuringTransfer_ = false;
        deviceRemoved();
    } else if (outcome.ok() && job->kind() == TransferKind::Firmware &&
               !job->stopRequest().requested()) {
        askVersionAfterFirmware(job->stopRequest());
    }
    if (reopenAfterTransfer_) {
        reopenAfterTransfer_ = false;
        deviceArrived();
    }
    if (record_.kind != TransferKind::Verify)
        keepInHistory(record_);
    emit transferEnded(job, record_);
}

// The device is opened afresh, as a device that restarted after its firmware must be, and
// its version read within the version query's short bound: the first supported device for
// the window, the claimed one, at its path, for a command. A stop asked for meanwhile cuts the
// query short, and the record then has no version after, as when the stop came before.
void DeviceController::askVersionAfterFirmware(const StopRequest &stop)
{
    reopenAfterTransfer_ = false;
    if (!claimed_) {
        const OpenResult o = open();
        record_.versionReadAgain(o.failure ? o.failure : o.versionFailure, o.version);
        return;
    }
    port_.reset();
    port_ = openDevicePort();
    QString version;
    const Failure failure =
        port_ ? queryVersion(version, &stop) : Failure{FailureCode::OpenFailed, path()};
    if (!stop.requested())
        record_.versionReadAgain(failure, version);
}

} // namespace tarvenix
