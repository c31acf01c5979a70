#pragma once
// The "not connected" indicator's tooltip: why no device can be used. A device that is
// present but cannot be opened says so; otherwise the tooltip names the first check of the
// machine's set-up that fails (the udev rule, a device's access, ...). The checks are run
// when the tooltip is asked for, not on every change of the link: they may wait for the
// system bus.

#include <QObject>
#include <QString>

class QWidget;

class NotConnectedTip : public QObject {
    Q_OBJECT
  public:
    explicit NotConnectedTip(QWidget *indicator);

    // Why the device present could not be opened; empty when none was refused.
    void setOpenRefusal(const QString &text);

  protected:
    bool eventFilter(QObject *object, QEvent *event) override;

  private:
    QWidget *const indicator;
    QString openRefusal;
};
