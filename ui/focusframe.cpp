#include "ui/focusframe.h"

#include <QFocusEvent>
#include <QPainter>

FocusFrame::FocusFrame(QWidget *window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

bool FocusFrame::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            fromKeyboard = true;
        else if (reason == Qt::MouseFocusReason)
            fromKeyboard = false;
        if (fromKeyboard)
            surround(static_cast<QWidget *>(object));
    } else if (event->type() == QEvent::FocusOut) {
        hide();
    }
    return false;
}

void FocusFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(141, 254, 3), 2));
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}

void FocusFrame::surround(const QWidget *target)
{
    setGeometry(target->geometry().adjusted(-4, -4, 4, 4));
    raise();
    show();
}
