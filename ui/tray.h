#pragma once
// The window's icon in the notification area: its tool tip, its menu of two entries
// (Close, Show/Hide) and a click on it, each answered by the window's own slot; and the
// notice of a transfer's end while the window is hidden there.

#include <QObject>

class QAction;
class QMenu;
class QMessageBox;
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

    // While the window is hidden here, the box that tells how a transfer ended opens
    // where the user may not look: the icon tells its title and text too.
    void tellWhileHidden(const QMessageBox &box) const;

  private:
    void createActions();
    void createMenu();

    QWidget *const window;
    QSystemTrayIcon *trayIcon = nullptr;
    QMenu *trayMenu = nullptr;
    QAction *closeTrayAction = nullptr;
    QAction *showOrHideTrayAction = nullptr;
};
