// tarvenix-cli: the window's transfers from a shell, on the same device link,
// block loop, device lock and refusals.

#include "cli/commands.h"

#include <QCoreApplication>
#include <hidapi.h>

using namespace tarvenix::cli;

namespace {

bool g_trace = false;

// The device link traces every exchange with qDebug; a user sees it only on request.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg || g_trace)
        printMessage(text);
}

Status run(const Options &o)
{
    switch (o.command) {
    case Command::List:
        return runList(o);
    case Command::Version:
        return runVersion(o);
    case Command::Verify:
        return runVerify(o);
    case Command::Firmware:
    case Command::Data:
    case Command::Save:
        break;
    }
    return runTransfer(o);
}

Status runWithHidapi(const Options &o)
{
    if (hid_init() != 0)
        return fail(Exit::Device, QStringLiteral("The HID library could not start. Please check "
                                                 "that hidraw devices are available, then try "
                                                 "again."));
    const Status s = run(o);
    hid_exit();
    return s;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix-cli"));
    const Parsed parsed = parseArguments(QCoreApplication::arguments());
    if (parsed.help) {
        printResult(helpText());
        return 0;
    }
    g_trace = parsed.options.trace;
    qInstallMessageHandler(messageHandler);
    const Status s = parsed.status.ok() ? runWithHidapi(parsed.options) : parsed.status;
    if (!s.ok())
        printMessage(s.message);
    return s.exitCode();
}
