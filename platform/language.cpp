#include "platform/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
#include <vector>

// The compiled translations, linked in from a static library.
static void registerTranslations()
{
    Q_INIT_RESOURCE(translations);
}

namespace tarvenix {

namespace {

const QString kTranslations = QStringLiteral(":/translations");
const QString kCatalogue = QStringLiteral("tarvenix");

bool spoken(const QLocale &language)
{
    if (language.language() == QLocale::English)
        return true;
    QTranslator probe;
    return probe.load(language, kCatalogue, QStringLiteral("_"), kTranslations);
}

// Qt's own texts (the buttons of a message box, the file dialog): beside the program
// where an archive ships them, else where Qt keeps them.
std::unique_ptr<QTranslator> qtTranslator(const QLocale &language)
{
    auto translator = std::make_unique<QTranslator>();
    for (const QString &folder : {QCoreApplication::applicationDirPath() + "/translations",
                                  QLibraryInfo::location(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(language, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return translator;
    }
    return nullptr;
}

std::vector<std::unique_ptr<QTranslator>> &installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

} // namespace

QLocale systemLanguage()
{
#ifdef Q_OS_WIN
    const QStringList wanted = QLocale::system().uiLanguages();
    const QString fallback = wanted.value(0, QStringLiteral("C"));
#else
    QByteArray locale;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qgetenv(name);
        if (!locale.isEmpty())
            break;
    }
    // "de_DE.UTF-8@euro" names the language "de_DE".
    const QString fallback =
        QString::fromLatin1(locale).section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (fallback.isEmpty() || fallback == QLatin1String("C") || fallback == QLatin1String("POSIX"))
        return QLocale::c();
    const QStringList wanted =
        QString::fromLatin1(qgetenv("LANGUAGE")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
#endif
    registerTranslations();
    for (const QString &code : wanted) {
        if (spoken(QLocale(code)))
            return QLocale(code);
    }
    return QLocale(fallback);
}

void useLanguage(const QLocale &language)
{
    registerTranslations();
    for (const auto &translator : installed())
        QCoreApplication::removeTranslator(translator.get());
    installed().clear();
    if (language.language() == QLocale::English || language.language() == QLocale::C)
        return;
    auto own = std::make_unique<QTranslator>();
    // Qt's words alone, around English messages, would only mix two languages.
    if (!own->load(language, kCatalogue, QStringLiteral("_"), kTranslations))
        return;
    installed().push_back(std::move(own));
    if (auto qt = qtTranslator(language))
        installed().push_back(std::move(qt));
    for (const auto &translator : installed())
        QCoreApplication::installTranslator(translator.get());
}

} // namespace tarvenix
