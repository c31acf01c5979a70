#include "app/startup.h"

#include "app/commandline.h"
#include "device/capture.h"
#include "platform/language.h"
#include "platform/locale.h"
#include "userfiles/settings.h"
#include "words/refusals.h"
#include "words/results.h"

#ifdef TARVENIX_X11_DPI
#include "app/x11dpi.h"
#endif

#include <QGuiApplication>
#include <cstdio>

std::shared_ptr<void> prepareApplication()
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
    return useDesktopDpiOnly();
#else
    return nullptr;
#endif
}

void setUpApplication(QCommandLineParser &parser)
{
    // After the application object, which sets the C library's locale from the environment.
    tarvenix::useUtf8CharacterType();
    // One name for both programs, which share their settings, backups and history.
    QCoreApplication::setOrganizationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    // The desktop entry it was started from: its icon and name in docks and task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.tarvenix.Manager"));
    parseOptions(parser, QCoreApplication::arguments());
    showTrace(parser);
    // The resource bundle picks each picture's language by the default locale.
    const QLocale language = chosenLanguage(parser);
    QLocale::setDefault(language);
    tarvenix::useLanguage(language);
    if (const QString ignored = tarvenix::takeIgnoredSettings(); !ignored.isEmpty())
        std::fprintf(stderr, "%s\n", qUtf8Printable(tarvenix::settingsIgnoredMessage(ignored)));
}

std::shared_ptr<tarvenix::Capture> startRecording(const QCommandLineParser &parser)
{
    const QString file = recordingFile(parser);
    if (file.isEmpty())
        return nullptr;
    tarvenix::Failure why;
    auto capture = tarvenix::Capture::start(
        file, QStringLiteral("tarvenix"),
        tarvenix::Capture::commandLine(QCoreApplication::arguments(), {file}), &why);
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
