#include "ui/tray.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>

Tray::Tray(QWidget *window) : QObject(window), window(window)
{
    trayIcon = new QSystemTrayIcon(window);
    trayIcon->setToolTip(QObject::tr("Tarvenix Manager"));
    connect(trayIcon, SIGNAL(activated(QSystemTrayIcon::ActivationReason)), window,
            SLOT(on_activatedSysTrayIcon(QSystemTrayIcon::ActivationReason)), Qt::AutoConnection);
    createActions();
    createMenu();
    trayIcon->setIcon(QIcon(QStringLiteral(":/pics/logo-32x32.png")));
    trayIcon->show();
}

void Tray::createActions()
{
    closeTrayAction = new QAction(QObject::tr("Close"), window);
    connect(closeTrayAction, SIGNAL(triggered()), window, SLOT(on_CloseTrayAction()),
            Qt::AutoConnection);
    showOrHideTrayAction = new QAction(QObject::tr("Show/Hide"), window);
    connect(showOrHideTrayAction, SIGNAL(triggered()), window, SLOT(on_ShowOrHideTrayAction()),
            Qt::AutoConnection);
}

void Tray::createMenu()
{
    trayMenu = new QMenu(window);
    connect(trayMenu, SIGNAL(hovered(QAction *)), window, SLOT(slotTrayMenuHovered()),
            Qt::AutoConnection);
    connect(trayMenu, SIGNAL(aboutToShow()), window, SLOT(slotTrayMenuAboutToShow()),
            Qt::AutoConnection);
    connect(trayMenu, SIGNAL(aboutToHide()), window, SLOT(slotTrayMenuAboutToHid()),
            Qt::AutoConnection);
    trayMenu->addAction(closeTrayAction);
    trayMenu->addAction(showOrHideTrayAction);
    trayIcon->setContextMenu(trayMenu);
}

void Tray::tellWhileHidden(const QMessageBox &box) const
{
    if (!window->isHidden() || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    trayIcon->showMessage(box.windowTitle(), box.text(),
                          box.icon() == QMessageBox::Information ? QSystemTrayIcon::Information
                                                                 : QSystemTrayIcon::Warning);
}
