#include "app/commandline.h"

#include "device/trace.h"
#include "platform/language.h"
#include "userfiles/settings.h"

#include <QLoggingCategory>
#include <cstdio>

namespace {

const QString kLang = QStringLiteral("lang");
const QString kRecord = QStringLiteral("record");
const QString kTrace = QStringLiteral("trace");

void addOptions(QCommandLineParser &parser)
{
    // Qt's options are single words after one dash (-platform): not letters of ours.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
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

} // namespace

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
