// The device link as the window shows it: opening, the indicators and the
// version line, and following the device's arrival and removal.

#include "ui/mainwindow.h"

#include "device/events.h"
#include "device/trace.h"
#include "transfer/devicecontroller.h"
#include "ui/notconnectedtip.h"
#include "words/failures.h"

#ifdef Q_OS_WIN
#include "device/devicechange_win.h"
#endif

#include <QPushButton>

using tarvenix::DeviceEvent;
using tarvenix::DeviceEventCode;
using tarvenix::FailureCode;

namespace {

// initHidDevice's result: 0 opened, -1 the HID library did not start, -2 no supported
// device, -3 the device could not be opened.
int linkResult(FailureCode code)
{
    switch (code) {
    case FailureCode::None:
        return 0;
    case FailureCode::HidapiFailed:
        return -1;
    case FailureCode::OpenFailed:
        return -3;
    default:
        return -2;
    }
}

} // namespace

void MainWindow::showConnected(bool connected)
{
    pushButtonConnected->setVisible(connected);
    pushButtonNotConnected->setVisible(!connected);
}

int MainWindow::initHidDevice()
{
    return linkResult(controller->open().failure.code);
}

void MainWindow::showLink(const tarvenix::OpenResult &link)
{
    showConnected(!link.failure);
    const bool denied = link.failure.code == FailureCode::OpenFailed;
    const QString hint =
        tr("A supported device is present but cannot be opened. ") + tarvenix::accessHint();
    notConnectedTip->setOpenRefusal(denied ? hint : QString());
    if (denied)
        qCDebug(tarvenix::lcTrace).noquote() << hint;
    // Neither an unwritten query nor one another program kept us from asking has a text.
    const FailureCode asked = link.versionFailure.code;
    if (!link.failure && asked != FailureCode::WriteFailed && asked != FailureCode::Busy) {
        strVersion = link.version;
        pushButtonVersion->setText(strVersion);
    }
}

void MainWindow::showRemoved()
{
    fwArrows().unlight();
    showConnected(false);
    notConnectedTip->setOpenRefusal(QString());
    pushButtonVersion->setText(QString());
}

bool MainWindow::transferRunning() const
{
    return controller->transferRunning();
}

#ifdef Q_OS_WIN

// Asking for the native handle creates the window, after its flags are set.
void MainWindow::startDeviceEvents()
{
    tarvenix::registerHidNotifications(HWND(winId()));
}

bool MainWindow::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    const MSG *msg = static_cast<const MSG *>(message);
    tarvenix::DeviceChange change;
    if (tarvenix::decodeDeviceChange(msg->message, msg->wParam, msg->lParam, &change)) {
        DeviceEvent event;
        event.code = change.code == tarvenix::DeviceChange::Arrival ? DeviceEventCode::Arrival
                     : change.code == tarvenix::DeviceChange::RemoveComplete
                         ? DeviceEventCode::RemoveComplete
                         : DeviceEventCode::Other;
        event.deviceType = change.deviceType;
        event.interfaceName = QString::fromStdWString(change.interfaceName);
        event.rawCode = change.wParam;
        onDeviceEvent(event);
    }
    return QDialog::nativeEvent(eventType, message, result);
}

#else

void MainWindow::startDeviceEvents()
{
    auto *deviceEvents = new tarvenix::DeviceEvents(this);
    connect(deviceEvents, &tarvenix::DeviceEvents::deviceEvent, this, &MainWindow::onDeviceEvent);
}

#endif

void MainWindow::onDeviceEvent(const DeviceEvent &event)
{
    qCDebug(tarvenix::lcTrace).noquote()
        << QStringLiteral("Event DEVICECHANGE Happend：") << event.rawCode;
    if (event.code == DeviceEventCode::Arrival) {
        if (event.deviceType != tarvenix::kDeviceTypeInterface)
            return;
        qCDebug(tarvenix::lcTrace, "lpdb->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE");
        if (tarvenix::matchInterfaceName(event.interfaceName) < 0)
            return;
        qCDebug(tarvenix::lcTrace).noquote() << QStringLiteral("插入设备 ：");
        controller->deviceArrived();
    } else if (event.code == DeviceEventCode::RemoveComplete) {
        qCDebug(tarvenix::lcTrace).noquote() << QStringLiteral("设备移除");
        if (event.deviceType != tarvenix::kDeviceTypeInterface ||
            tarvenix::matchInterfaceName(event.interfaceName) < 0)
            return;
        qCDebug(tarvenix::lcTrace).noquote() << QStringLiteral("移除设备 ：");
        controller->deviceRemoved();
    }
}
