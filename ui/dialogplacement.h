#pragma once
// Every dialog of the window (message boxes, file dialogs, the history) opens centred over
// the window, and a message box shows its texts as they are, never as rich text: the
// device's product, serial and version and the user's file names reach them.
//
// One filter on the application does it for all of them, as each is shown: the texts when
// the dialog is about to lay itself out, the place once its size is known and before the
// window system maps it. Window managers then keep a place asked for before the map.

#include <QObject>
#include <QPoint>

class QWindow;
class QWidget;

class DialogPlacement : public QObject {
  public:
    // Watches the application's dialogs whose parent is within this window, for its life.
    explicit DialogPlacement(QWidget *window);
    ~DialogPlacement() override;

  protected:
    bool eventFilter(QObject *object, QEvent *event) override;

  private:
    bool ownDialog(const QWidget *widget) const;
    void centre(QWidget *dialog) const;
    // Where the window's top-left corner is on the screen, as the window system says.
    QPoint windowPlace() const;

    QWidget *const window;
};
