#include "app/commandline.h"

#include "device/trace.h"
#include "platform/buildinfo.h"
#include "platform/language.h"
#include "userfiles/settings.h"

#include <QLoggingCategory>
#include <cstdio>
#include <memory>

#ifdef Q_OS_WIN
#include <QApplication>
#include <QMessageBox>
#include <windows.h>
#endif

namespace {

const QString kLang = QStringLiteral("lang");
const QString kRecord = QStringLiteral("record");
const QString kTrace = QStringLiteral("trace");

// Qt's own options, which the application object takes before the window's are read.
const char kQtOptions[] = QT_TRANSLATE_NOOP(
    "CommandLine", "Qt's own options apply too, among them -platform NAME (xcb, wayland,\n"
                   "offscreen), -display DISPLAY (X11), -style NAME, -stylesheet FILE,\n"
                   "-reverse and -qwindowgeometry WIDTHxHEIGHT+X+Y, and its environment\n"
                   "variables, such as QT_SCALE_FACTOR and QT_LOGGING_RULES.");

// The descriptions are read in the user's language once it is known: with --help.
void addOptions(QCommandLineParser &parser)
{
    // Qt's options are single words after one dash (-platform): not letters of ours.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(
        {{kLang, CommandLine::tr("Show the window in this language instead of the system's."),
          QStringLiteral("code")},
         {kRecord,
          CommandLine::tr("Record what the window exchanges with the device into <file>, a "
                          "capture for a bug report (or set TARVENIX_RECORD=<file>)."),
          QStringLiteral("file")},
         {kTrace, CommandLine::tr("Write the trace of the conversation with the device to "
                                  "standard error (or set "
                                  "QT_LOGGING_RULES=\"tarvenix.trace.debug=true\").")}});
}

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The language the window's menu saved ("en", "de", "zh_CN"), else the system's. The
// system's is sought only when needed: finding it loads translations.
QLocale savedOrSystem()
{
    const QString code = tarvenix::savedLanguage();
    return code.isEmpty() || QLocale(code).language() == QLocale::C ? tarvenix::systemLanguage()
                                                                    : QLocale(code);
}

// The trace's category, whether Qt's logging rules turn it on, and the filter that applies
// those rules to every category.
const char *g_traceName = nullptr;
bool g_traceRuledOn = false;
QLoggingCategory::CategoryFilter g_qtFilter = nullptr;

// Qt's filter, then the trace off unless a rule turned it on. Qt calls it for every
// category as the filter is installed (before g_qtFilter is known: their state stays as
// Qt's filter left it) and as each is made later.
void traceOffUnlessRuled(QLoggingCategory *category)
{
    if (g_qtFilter)
        g_qtFilter(category);
    if (qstrcmp(category->categoryName(), g_traceName) == 0)
        category->setEnabled(QtDebugMsg, g_traceRuledOn);
}

#ifdef Q_OS_WIN

// A program of the Windows subsystem starts without a console: it writes into the one it
// was started from, or where its output was sent; false when there is neither.
bool consoleOutput()
{
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN)
        return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    return std::freopen("CONOUT$", "w", stdout) != nullptr;
}

#else

bool consoleOutput()
{
    return true;
}

#endif

void tell(const QString &text, bool console)
{
    if (console) {
        std::fputs(qPrintable(text), stdout);
        std::fflush(stdout);
        return;
    }
#ifdef Q_OS_WIN
    QMessageBox::information(nullptr, QObject::tr("Tarvenix Manager"), text);
#endif
}

} // namespace

bool asksInformation(int argc, char *argv[])
{
    QCommandLineParser parser;
    addOptions(parser);
    parser.parse(argumentList(argc, argv));
    // --help-all, Qt's, says no more than --help: Qt's options are its last paragraph.
    for (const char *asked : {"help", "help-all", "version"}) {
        if (parser.isSet(QLatin1String(asked)))
            return true;
    }
    return false;
}

int answerInformation(int argc, char *argv[])
{
    const bool console = consoleOutput();
#ifdef Q_OS_WIN
    // Without a console the answer shows in a box, which needs widgets.
    const std::unique_ptr<QCoreApplication> app(console ? new QCoreApplication(argc, argv)
                                                        : new QApplication(argc, argv));
#else
    const auto app = std::make_unique<QCoreApplication>(argc, argv);
#endif
    QCoreApplication::setOrganizationName(QStringLiteral("tarvenix"));
    QCoreApplication::setApplicationName(QStringLiteral("tarvenix"));
    QCommandLineParser parser;
    parseOptions(parser, QCoreApplication::arguments());
    const QLocale language = chosenLanguage(parser);
    QLocale::setDefault(language);
    tarvenix::useLanguage(language);
    if (parser.isSet(QStringLiteral("version"))) {
        tell(tarvenix::versionLine(QStringLiteral("tarvenix")) + QLatin1Char('\n'), console);
        return 0;
    }
    // Read again, now in the user's language.
    QCommandLineParser help;
    addOptions(help);
    help.setApplicationDescription(
        CommandLine::tr("Tarvenix Manager: firmware and data transfers for Tarvenix pressure "
                        "mice, in a window."));
    tell(help.helpText() + QLatin1Char('\n') + CommandLine::tr(kQtOptions) + QLatin1Char('\n'),
         console);
    return 0;
}

void parseOptions(QCommandLineParser &parser, const QStringList &arguments)
{
    addOptions(parser);
    if (!parser.parse(arguments) && parser.unknownOptionNames().isEmpty())
        std::fprintf(stderr, "tarvenix: %s\n", qPrintable(parser.errorText()));
}

QLocale chosenLanguage(const QCommandLineParser &parser)
{
    if (!parser.isSet(kLang))
        return savedOrSystem();
    const QString code = parser.value(kLang);
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

QString recordingFile(const QCommandLineParser &parser)
{
    return parser.isSet(kRecord) ? parser.value(kRecord) : qEnvironmentVariable("TARVENIX_RECORD");
}

void showTrace(const QCommandLineParser &parser)
{
    if (parser.isSet(kTrace))
        return;
    g_traceName = tarvenix::lcTrace().categoryName();
    {
        // What Qt's rules (QT_LOGGING_RULES, QT_LOGGING_CONF, qtlogging.ini) say of the
        // trace: a category of the same name that starts off is on only when one turns it on.
        const QLoggingCategory rules(g_traceName, QtInfoMsg);
        g_traceRuledOn = rules.isDebugEnabled();
    }
    g_qtFilter = QLoggingCategory::installFilter(traceOffUnlessRuled);
}
