#include "platform/keepawake.h"

#include "device/trace.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusUnixFileDescriptor>
#include <unistd.h>

namespace tarvenix {

namespace {

// logind answers at once; a bus that does not is not waited for long.
constexpr int kInhibitTimeoutMs = 2000;

} // namespace

KeepAwake::KeepAwake(const QString &why)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        qCDebug(lcTrace).noquote()
            << "no sleep inhibitor: no system bus:" << bus.lastError().message();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:idle") << QStringLiteral("Tarvenix Manager") << why
         << QStringLiteral("block");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kInhibitTimeoutMs);
    const QDBusUnixFileDescriptor fd =
        reply.arguments().isEmpty()
            ? QDBusUnixFileDescriptor()
            : qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
    if (reply.type() != QDBusMessage::ReplyMessage || !fd.isValid()) {
        qCDebug(lcTrace).noquote()
            << "no sleep inhibitor: logind did not give one:" << reply.errorMessage();
        return;
    }
    // The inhibitor lasts as long as its descriptor is open.
    inhibitor_ = ::dup(fd.fileDescriptor());
    qCDebug(lcTrace).noquote() << "sleep inhibited:" << why;
}

KeepAwake::~KeepAwake()
{
    if (inhibitor_ < 0)
        return;
    ::close(inhibitor_);
    qCDebug(lcTrace, "sleep allowed again");
}

} // namespace tarvenix
