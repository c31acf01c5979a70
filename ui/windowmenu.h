#pragma once
// The window's own menu, on a right-click on its background (or the menu key): the
// backups folder, the history of transfers, the three safety settings and the language.
// The tray's menu keeps its two entries.

#include <QMenu>

class MainWindow;

class WindowMenu : public QMenu {
    Q_OBJECT
  public:
    explicit WindowMenu(MainWindow *window);

  private:
    void showBackups();
    void addSafetyEntries();
    void addLanguageMenu();

    MainWindow *const window;
};
