#include "app/startup.h"

#include "app/commandline.h"
#include "device/capture.h"
#include "platform/language.h"

#ifdef TARVENIX_X11_DPI
#include "app/x11dpi.h"
#endif

#include <QGuiApplication>

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
    // One name for both programs, which share their settings, backups and history.
    QCoreApplication::setOrganizationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    parseOptions(parser, QCoreApplication::arguments());
    showTrace(parser);
    // The resource bundle picks each picture's language by the default locale.
    const QLocale language = chosenLanguage(parser);
    QLocale::setDefault(language);
    tarvenix::useLanguage(language);
}

std::shared_ptr<tarvenix::Capture> startRecording(const QCommandLineParser &parser)
{
    const QString file = recordingFile(parser);
    if (file.isEmpty())
        return nullptr;
    return tarvenix::Capture::start(
        file, QStringLiteral("tarvenix"),
        tarvenix::Capture::commandLine(QCoreApplication::arguments(), {file}));
}
