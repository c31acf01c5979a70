// tarvenix-cli: the window's transfers from a shell, on the same device link,
// block loop, device lock and refusals.

#include "cli/commands.h"
#include "cli/manyrun.h"
#include "cli/recording.h"
#include "cli/text.h"

#include "platform/buildinfo.h"
#include "platform/language.h"
#include "platform/locale.h"
#include "platform/standardstreams.h"
#include "userfiles/settings.h"
#include "words/failures.h"
#include "words/results.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <algorithm>
#include <hidapi.h>

using namespace tarvenix::cli;

namespace {

bool g_trace = false;

// The trace of every exchange is for a user who asks for it; any other debug line is not
// for a user at all.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg || g_trace)
        printMessage(text);
}

// Without --trace the trace's lines are switched off where they are made, so that they
// cost nothing: formatting them takes about a tenth of a save's time.
void showTrace(bool trace)
{
    g_trace = trace;
    if (!trace)
        QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.trace.debug=false"));
}

Status run(const Options &o)
{
    if (o.manyDevices())
        return runOnMany(o);
    switch (o.command) {
    case Command::List:
        return runList(o);
    case Command::Version:
        return runVersion(o);
    case Command::Verify:
        return runVerify(o);
    case Command::Backups:
        return runBackups(o);
    case Command::History:
        return runHistory(o);
    case Command::Doctor:
        return runDoctor(o);
    case Command::Firmware:
    case Command::Data:
    case Command::Save:
        break;
    }
    return runTransfer(o);
}

Status runWithHidapi(const Options &o)
{
    // The lists of what was done need no device.
    if (o.command == Command::Backups || o.command == Command::History)
        return run(o);
    tellInterruptedTransfers();
    if (hid_init() != 0)
        return fail({tarvenix::FailureCode::HidapiFailed, {}},
                    Cli::tr("The HID library could not start. Please check "
                            "that hidraw devices are available, then try "
                            "again."));
    const Status s = run(o);
    hid_exit();
    return s;
}

// Qt decodes each argument into text, and a name whose bytes are not valid UTF-8 comes
// out as another name. The file argument must be one of the arguments given, byte for byte.
Status checkFileArgument(const Options &o, int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Windows hands over the arguments as UTF-16, which text carries whole.
    Q_UNUSED(o);
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#else
    // A name given as ":x" is read as "./:x", never as one of Qt's resources.
    const QByteArray bytes = QFile::encodeName(o.file);
    const auto isFile = [&](const char *given) {
        return bytes == given || bytes == QByteArray("./") + given;
    };
    if (!o.file.isEmpty() && std::none_of(argv + 1, argv + argc, isFile)) {
        const tarvenix::Failure notUtf8{tarvenix::FailureCode::NameNotUtf8, {}};
        return fail(notUtf8, tarvenix::refusalMessage(notUtf8, o.file));
    }
#endif
    return {};
}

// A failed command's message comes first; a result that did not reach stdout fails
// a command that succeeded.
int finish(Status s)
{
    if (!s.ok())
        printMessage(s.message);
    const QString lost = outputFailure();
    if (lost.isEmpty())
        return s.exitCode();
    printMessage(lost);
    return s.ok() ? int(Exit::Output) : s.exitCode();
}

} // namespace

int main(int argc, char *argv[])
{
    tarvenix::prepareStandardStreams();
    QCoreApplication app(argc, argv);
    tarvenix::useUtf8CharacterType();
    // One name for both programs, which share their settings, backups and history.
    QCoreApplication::setOrganizationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    // Numbers in messages too, where a translation asks for the language's own ("%L1").
    const QLocale language = tarvenix::systemLanguage();
    QLocale::setDefault(language);
    tarvenix::useLanguage(language);
    const Parsed parsed = parseArguments(QCoreApplication::arguments());
    if (parsed.help || parsed.version) {
        printResult(parsed.help ? helpText()
                                : tarvenix::versionLine(QStringLiteral("tarvenix-cli")));
        return finish({});
    }
    showTrace(parsed.options.trace);
    qInstallMessageHandler(messageHandler);
    Status s = parsed.status;
    if (s.ok())
        s = checkFileArgument(parsed.options, argc, argv);
    if (s.ok()) {
        startRecording(parsed.options, QCoreApplication::arguments());
        s = runWithHidapi(parsed.options);
    }
    if (parsed.status.ok())
        printFailureDocument(parsed.options, s);
    if (const QString ignored = tarvenix::takeIgnoredSettings(); !ignored.isEmpty())
        printMessage(tarvenix::settingsIgnoredMessage(ignored));
    const int exitCode = finish(s);
    endRecording(exitCode);
    return exitCode;
}
