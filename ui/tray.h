#pragma once
// The window's icon in the notification area: its tool tip, its menu of two entries
// (Close, Show/Hide) and a click on it, each answered by the window's own slot.

#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QWidget;

class Tray : public QObject {
    Q_OBJECT
  public:
    // The icon, its entries and its menu are the window's children, shown at once.
    explicit Tray(QWidget *window);

    QSystemTrayIcon *icon() const { return trayIcon; }
    QMenu *menu() const { return trayMenu; }
    QAction *closeAction() const { return closeTrayAction; }
    QAction *showOrHideAction() const { return showOrHideTrayAction; }

  private:
    void createActions();
    void createMenu();

    QWidget *const window;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *trayMenu = nullptr;
    QAction *closeTrayAction = nullptr;
    QAction *showOrHideTrayAction = nullptr;
};
