// The tray icon and its menu, moving the frameless window, and every way of
// closing it, none of which may cut a running transfer off.

#include "ui/mainwindow.h"

#include "workers/transferworkers.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWindow>

void MainWindow::createTrayIcon()
{
    trayIcon = new QSystemTrayIcon(this);
    trayIcon->setToolTip(QObject::tr("Tarvenix Manager"));
    connect(trayIcon, SIGNAL(activated(QSystemTrayIcon::ActivationReason)), this,
            SLOT(on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason)), Qt::AutoConnection);
    createTrayActions();
    createTrayMenu();
    trayIcon->setIcon(QIcon(QStringLiteral(":/pics/logo-32x32.png")));
    trayIcon->show();
}

void MainWindow::createTrayActions()
{
    closeTrayAction = new QAction(QObject::tr("Close"), this);
    connect(closeTrayAction, SIGNAL(triggered()), this, SLOT(on_CloseTrayAction()),
            Qt::AutoConnection);
    showOrHideTrayAction = new QAction(QObject::tr("Show/Hide"), this);
    connect(showOrHideTrayAction, SIGNAL(triggered()), this, SLOT(on_ShowOrHideTrayAction()),
            Qt::AutoConnection);
}

void MainWindow::createTrayMenu()
{
    trayMenu = new QMenu(this);
    connect(trayMenu, SIGNAL(hovered(QAction *)), this, SLOT(slotTrayMenuHovered()),
            Qt::AutoConnection);
    connect(trayMenu, SIGNAL(aboutToShow()), this, SLOT(slotTrayMenuAboutToShow()),
            Qt::AutoConnection);
    connect(trayMenu, SIGNAL(aboutToHide()), this, SLOT(slotTrayMenuAboutToHid()),
            Qt::AutoConnection);
    trayMenu->addAction(closeTrayAction);
    trayMenu->addAction(showOrHideTrayAction);
    trayIcon->setContextMenu(trayMenu);
}

void MainWindow::slotTrayMenuHovered() {}
void MainWindow::slotTrayMenuAboutToShow() {}
void MainWindow::slotTrayMenuAboutToHid() {}

void MainWindow::on_CloseTrayAction()
{
    close();
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
    qDebug("on_ShowOrHideTrayAction");
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

void MainWindow::slotPushButtonMini()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        hide();
        return;
    }
    // Without a notification area a hidden window could never come back, so
    // it minimises with a taskbar entry until it is restored.
    setWindowFlags(windowFlags() & ~Qt::Tool);
    setAttribute(Qt::WA_QuitOnClose);
    showMinimized();
}

void MainWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || isMinimized() ||
        windowFlags().testFlag(Qt::Tool))
        return;
    setWindowFlags(windowFlagsFor(windowFlags()));
    setAttribute(Qt::WA_QuitOnClose);
    show();
}

void MainWindow::slotPushButtonClose()
{
    if (!transferRunning()) {
        const auto answer = QMessageBox::information(
            this, QStringLiteral("Exit"), QStringLiteral("Are you sure to  exit?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
        if (answer != QMessageBox::Yes)
            return;
        hidHandle.reset();
    }
    close();
}

bool MainWindow::stopTransferForExit()
{
    if (!transferRunning())
        return true;
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Exit"),
        QStringLiteral("A transfer is in progress. Stop it and exit?\nAn interrupted firmware "
                       "download can leave the device unusable."),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes || !transferRunning())
        return answer == QMessageBox::Yes;
    // The loop stops before its next block, so this wait ends within one reply bound.
    runningWorker->requestStop(QStringLiteral("the program was closed"));
    runningWorker->wait();
    onTransferFinished();
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
    dragStartWindowPos = frameGeometry().topLeft();
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
