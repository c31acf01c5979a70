#pragma once
// The "not connected" indicator's tooltip: why no device can be used. A device that is
// present but cannot be opened says so; otherwise the tooltip names the first check of the
// machine's set-up that fails (the udev rule, a device's access, ...). The checks are run
// when the tooltip is first asked for after a change of the link, not at every change nor at
// every hover: they walk the devices and may wait for the system bus.

#include <QObject>
#include <QString>

class QWidget;

class NotConnectedTip : public QObject {
    Q_OBJECT
  public:
    explicit NotConnectedTip(QWidget *indicator);

    // The link changed: why the device present could not be opened, empty when none was
    // refused. The checks' text is found again at the next hover.
    void setOpenRefusal(const QString &text);

  protected:
    bool eventFilter(QObject *object, QEvent *event) override;

  private:
    QWidget *const indicator;
    QString openRefusal;
    bool known = false; // the tooltip is set for the link as it is
};
