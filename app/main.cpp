#include "device/capture.h"
#include "platform/language.h"
#include "platform/locale.h"
#include "ui/mainwindow.h"
#include "userfiles/settings.h"
#include "words/failures.h"
#include "words/results.h"

#ifdef TARVENIX_X11_DPI
#include "app/x11dpi.h"
#endif

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>
#include <QTimer>
#include <cstdio>

namespace {

const QCommandLineOption
    kLangOption(QStringLiteral("lang"),
                QStringLiteral("Show the window in this language instead of the system's."),
                QStringLiteral("code"));
const QCommandLineOption kRecordOption(
    QStringLiteral("record"),
    QStringLiteral("Record what the window exchanges with the device into <file>, a capture for "
                   "a bug report (or set TARVENIX_RECORD=<file>)."),
    QStringLiteral("file"));

// The language the window's menu saved ("en", "de", "zh_CN"), else the system's. The
// system's is sought only when needed: finding it loads translations.
QLocale savedOrSystem()
{
    const QString code = tarvenix::savedLanguage();
    return code.isEmpty() || QLocale(code).language() == QLocale::C ? tarvenix::systemLanguage()
                                                                    : QLocale(code);
}

// The window's own options. Any other is Qt's, or is ignored as before.
void parseOptions(QCommandLineParser &parser, const QStringList &arguments)
{
    parser.addOptions({kLangOption, kRecordOption});
    if (!parser.parse(arguments) && parser.unknownOptionNames().isEmpty())
        std::fprintf(stderr, "tarvenix: %s\n", qPrintable(parser.errorText()));
}

// The language of the pictures and of the messages: --lang, else the one saved from the
// window's menu, else the system's.
QLocale chosenLanguage(const QCommandLineParser &parser)
{
    if (!parser.isSet(kLangOption))
        return savedOrSystem();
    const QString code = parser.value(kLangOption);
    const QLocale asked(code);
    if (asked.language() == QLocale::C && code != QLatin1String("C")) {
        std::fprintf(stderr,
                     "tarvenix: no language is called \"%s\"; using the one chosen in the "
                     "window's menu, or else the system's.\n",
                     qPrintable(code));
        return savedOrSystem();
    }
    return asked;
}

// --record FILE, or TARVENIX_RECORD=FILE: a capture of the whole run; null when not asked for.
std::shared_ptr<tarvenix::Capture> startRecording(const QCommandLineParser &parser,
                                                  const QStringList &arguments)
{
    const QString file = parser.isSet(kRecordOption) ? parser.value(kRecordOption)
                                                     : qEnvironmentVariable("TARVENIX_RECORD");
    if (file.isEmpty())
        return nullptr;
    tarvenix::Failure why;
    auto capture = tarvenix::Capture::start(
        file, QStringLiteral("tarvenix"), tarvenix::Capture::commandLine(arguments, {file}), &why);
    // Said on standard error: a capture never stops the program.
    const auto tell = [file](const tarvenix::Failure &failure) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(tarvenix::captureMessage(failure, file)));
    };
    if (!capture)
        tell(why);
    else
        capture->onStopped(tell);
    return capture;
}

} // namespace

int main(int argc, char *argv[])
{
    // The window only draws pictures with QPainter; without this, showing it on
    // X11 loads an OpenGL driver, the larger part of start-up time and memory.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    // Scaled as the desktop asks, by exactly as much: 150 % gives 1.5 times, not 2.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#ifdef TARVENIX_X11_DPI
    useDesktopDpiOnly();
#endif
    QApplication app(argc, argv);
    tarvenix::useUtf8CharacterType();
    // One name for both programs, which share their settings, backups and history.
    QCoreApplication::setOrganizationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    // The resource bundle picks each picture's language by the default locale.
    QCommandLineParser parser;
    parseOptions(parser, app.arguments());
    const QLocale language = chosenLanguage(parser);
    QLocale::setDefault(language);
    tarvenix::useLanguage(language);
    if (const QString ignored = tarvenix::takeIgnoredSettings(); !ignored.isEmpty())
        std::fprintf(stderr, "%s\n", qUtf8Printable(tarvenix::settingsIgnoredMessage(ignored)));
    const std::shared_ptr<tarvenix::Capture> capture = startRecording(parser, app.arguments());
    int exitCode = 0;
    {
        MainWindow window(nullptr, capture);
        window.show();
        QTimer::singleShot(0, &window, &MainWindow::tellInterruptedTransfers);
        exitCode = app.exec();
    }
    // After the window, whose going closes the device.
    if (capture)
        capture->end(exitCode);
    return exitCode;
}
