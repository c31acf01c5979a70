#pragma once
// A frame around the focused button once the keyboard moves the focus, drawn over the
// window, so that the buttons' style sheets stay as they are; a click on a button hides
// it again.

#include <QWidget>

class FocusFrame : public QWidget {
  public:
    explicit FocusFrame(QWidget *window);

    // Follows the focus of this widget.
    void watch(QWidget *widget) { widget->installEventFilter(this); }

  protected:
    bool eventFilter(QObject *object, QEvent *event) override;
    void paintEvent(QPaintEvent *) override;

  private:
    void surround(const QWidget *target);

    bool fromKeyboard = false;
};
