#include "ui/dialogplacement.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

#ifdef TARVENIX_XCB
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace {

#ifdef TARVENIX_XCB

// Where the X server has the window's top-left corner, in the screen's pixels; false when
// it does not answer. Qt's own idea of it can be stale: a window manager that reparents
// the window into its frame leaves Qt with the frame's offset (0,0) as the position.
bool serverPlace(WId window, QPoint *place)
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    bool found = false;
    if (!xcb_connection_has_error(connection)) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const auto cookie = xcb_translate_coordinates(connection, xcb_window_t(window), root, 0, 0);
        if (auto *reply = xcb_translate_coordinates_reply(connection, cookie, nullptr)) {
            *place = QPoint(reply->dst_x, reply->dst_y);
            found = true;
            std::free(reply);
        }
    }
    xcb_disconnect(connection);
    return found;
}

#endif

} // namespace

DialogPlacement::DialogPlacement(QWidget *window) : QObject(window), window(window)
{
    qApp->installEventFilter(this);
}

DialogPlacement::~DialogPlacement()
{
    qApp->removeEventFilter(this);
}

bool DialogPlacement::ownDialog(const QWidget *widget) const
{
    return widget && widget != window && qobject_cast<const QDialog *>(widget) &&
           widget->parentWidget() && widget->parentWidget()->window() == window;
}

bool DialogPlacement::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    // The dialog's own show event, which lays a message box out, comes next.
    if (auto *box = qobject_cast<QMessageBox *>(object); box && ownDialog(box)) {
        box->setTextFormat(Qt::PlainText);
        if (auto *more = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
            more->setTextFormat(Qt::PlainText);
    }
    // Its window's show event, which comes last before the map.
    if (object->isWindowType()) {
        for (QWidget *shown : QApplication::topLevelWidgets()) {
            if (shown->windowHandle() == object && ownDialog(shown))
                centre(shown);
        }
    }
    return false;
}

QPoint DialogPlacement::windowPlace() const
{
#ifdef TARVENIX_XCB
    QPoint native;
    if (QGuiApplication::platformName() == QLatin1String("xcb") && window->windowHandle() &&
        serverPlace(window->winId(), &native)) {
        // The screen's pixels into Qt's: scaled about the screen's corner.
        const QPoint corner = window->screen()->geometry().topLeft();
        return corner + (native - corner) / window->devicePixelRatioF();
    }
#endif
    return window->geometry().topLeft();
}

void DialogPlacement::centre(QWidget *dialog) const
{
    QRect place(QPoint(), dialog->size());
    place.moveCenter(QRect(windowPlace(), window->size()).center());
    // Kept on the screen, as Qt keeps its own placement.
    const QRect screen = window->screen()->availableGeometry();
    place.moveLeft(qBound(screen.left(), place.left(), screen.right() - place.width() + 1));
    place.moveTop(qBound(screen.top(), place.top(), screen.bottom() - place.height() + 1));
    dialog->move(place.topLeft());
}
