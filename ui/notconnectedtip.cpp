#include "ui/notconnectedtip.h"

#include "words/doctor.h"

#include <QEvent>
#include <QTextDocument>
#include <QWidget>

NotConnectedTip::NotConnectedTip(QWidget *indicator) : QObject(indicator), indicator(indicator)
{
    indicator->installEventFilter(this);
}

void NotConnectedTip::setOpenRefusal(const QString &text)
{
    openRefusal = text;
    known = false;
}

bool NotConnectedTip::eventFilter(QObject *object, QEvent *event)
{
    if (object == indicator && event->type() == QEvent::ToolTip && !known) {
        known = true;
        const QString why = openRefusal.isEmpty() ? tarvenix::firstFailingCheckText() : openRefusal;
        // Paths and serial numbers in it are shown as they are, never read as rich text; the
        // long sentence wraps.
        indicator->setToolTip(why.isEmpty() ? QString()
                                            : Qt::convertFromPlainText(why, Qt::WhiteSpaceNormal));
    }
    return false;
}
