#include "app/x11dpi.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>
#include <xcb/xcb.h>

namespace {

// The X resources of the display, as the desktop set them; empty when there are
// none or the display does not answer.
QByteArray xResources(xcb_connection_t *connection)
{
    QByteArray resources;
    if (!xcb_connection_has_error(connection)) {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const xcb_get_property_cookie_t cookie = xcb_get_property(
            connection, 0, screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 20);
        if (xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr)) {
            resources = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)),
                                   xcb_get_property_value_length(reply));
            free(reply);
        }
    }
    return resources;
}

bool statesDpi(const QByteArray &resources)
{
    for (const QByteArray &line : resources.split('\n')) {
        if (line.startsWith("Xft.dpi:\t"))
            return true;
    }
    return false;
}

} // namespace

std::shared_ptr<void> useDesktopDpiOnly()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (qEnvironmentVariableIsEmpty("DISPLAY") || qEnvironmentVariableIsSet("QT_FONT_DPI") ||
        !(platform.isEmpty() || platform.startsWith("xcb")))
        return nullptr;
    const std::shared_ptr<xcb_connection_t> connection(xcb_connect(nullptr, nullptr),
                                                       xcb_disconnect);
    if (!statesDpi(xResources(connection.get())))
        qputenv("QT_FONT_DPI", "96");
    return connection;
}
