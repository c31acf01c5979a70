// The tray icon and its menu, moving the frameless window, and every way of
// closing it, none of which may cut a running transfer off.

#include "ui/mainwindow.h"

#include "device/trace.h"
#include "transfer/devicecontroller.h"
#include "ui/tray.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWindow>

void MainWindow::createTrayIcon()
{
    tray = new Tray(this);
    trayIcon = tray->icon();
    trayMenu = tray->menu();
    closeTrayAction = tray->closeAction();
    showOrHideTrayAction = tray->showOrHideAction();
}

void MainWindow::slotTrayMenuHovered() {}
void MainWindow::slotTrayMenuAboutToShow() {}
void MainWindow::slotTrayMenuAboutToHid() {}

void MainWindow::on_CloseTrayAction()
{
    closingFromTray = true;
    close();
    closingFromTray = false;
}

void MainWindow::toggleShown()
{
    if (isHidden())
        show();
    else
        hide();
}

void MainWindow::on_ShowOrHideTrayAction()
{
    qCDebug(tarvenix::lcTrace, "on_ShowOrHideTrayAction");
    toggleShown();
}

void MainWindow::on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::Trigger)
        return;
    if (isHidden()) {
        showNormal();
        raise();
        show();
    } else {
        hide();
    }
}

namespace {

// The user reads it in their language, the trace as it stands.
const char kNoMinimise[] =
    QT_TRANSLATE_NOOP("MainWindow", "Minimising is off here: this desktop has neither a "
                                    "notification area nor a taskbar that could bring the "
                                    "window back.");

} // namespace

QString MainWindow::minimiseRefusal()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return QString();
    // A Wayland desktop session names itself, and its overview or taskbar brings a
    // minimised window back; a bare compositor such as Weston has neither.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
        qEnvironmentVariableIsEmpty("XDG_CURRENT_DESKTOP"))
        return tr(kNoMinimise);
    return QString();
}

void MainWindow::explainMinimise(QPushButton *button)
{
    const QString refusal = minimiseRefusal();
    button->setToolTip(refusal);
    button->setAccessibleDescription(refusal.isEmpty() ? tr("Minimise the window") : refusal);
}

void MainWindow::slotPushButtonMini()
{
    if (auto *button = qobject_cast<QPushButton *>(sender()))
        explainMinimise(button);
    const QString refusal = minimiseRefusal();
    if (!refusal.isEmpty()) {
        qCDebug(tarvenix::lcTrace).noquote() << "Minimise refused:" << kNoMinimise;
        return;
    }
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        hide();
        return;
    }
    // Without a notification area a hidden window could never come back, so it
    // minimises as a normal window, which has a taskbar entry. It stays one once
    // restored: turning back into a tool window means withdrawing and mapping the
    // window again, and window managers then bring it back iconic, below other
    // windows or elsewhere, with no taskbar entry left to restore it from.
    if (windowFlags().testFlag(Qt::Tool)) {
        setWindowFlags(windowFlags() & ~Qt::Tool);
        setAttribute(Qt::WA_QuitOnClose);
    }
    showMinimized();
}

void MainWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || isMinimized() ||
        windowFlags().testFlag(Qt::Tool) || !windowHandle())
        return;
    // Restored from the taskbar. Mapped again as a normal window for the
    // minimise, the window can have lost "above other windows" to the window
    // manager; asked for now, while it is shown, the window manager grants it.
    windowHandle()->setFlags(windowFlags() & ~Qt::WindowStaysOnTopHint);
    windowHandle()->setFlags(windowFlags());
    raise();
    activateWindow();
}

void MainWindow::slotPushButtonClose()
{
    if (!transferRunning()) {
        const auto answer =
            QMessageBox::information(this, tr("Exit"), tr("Are you sure to  exit?"),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
        if (answer != QMessageBox::Yes)
            return;
        controller->close();
    }
    close();
}

bool MainWindow::stopTransferForExit()
{
    if (!transferRunning())
        return true;
    const auto answer = QMessageBox::question(
        this, tr("Exit"),
        tr("A transfer is in progress. Stop it and exit?\nAn interrupted firmware "
           "download can leave the device unusable."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes || !transferRunning())
        return answer == QMessageBox::Yes;
    // The user chose to end the program: how the stopped transfer ended is not told.
    const QSignalBlocker untold(controller);
    controller->endTransfer(closingFromTray ? tarvenix::StopCause::TrayQuit
                                            : tarvenix::StopCause::User);
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!stopTransferForExit()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

void MainWindow::reject()
{
    // Escape must not cut a transfer off.
    if (transferRunning())
        return;
    QDialog::reject();
    QCoreApplication::quit();
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Wayland does not let a program place its own window; the compositor moves it.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && windowHandle()) {
        windowHandle()->startSystemMove();
        return;
    }
    dragging = true;
    dragStartGlobalPos = event->globalPos();
    // Where the window system says the press was, in the window and on the
    // screen: on X11 the window's position as the toolkit keeps it can be stale
    // after the window manager placed the window, and the drag would jump.
    dragStartWindowPos = event->globalPos() - event->pos();
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging)
        move(event->globalPos() - dragStartGlobalPos + dragStartWindowPos);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        dragging = false;
}
