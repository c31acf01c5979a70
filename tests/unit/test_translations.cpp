// The translation files against the sources: lupdate finds nothing to change in
// them, every text is translated, and every translation keeps its text's
// placeholders and line breaks.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QString kFolder = QStringLiteral(TARVENIX_SOURCE_DIR "/translations");

QStringList translationFiles()
{
    return QDir(kFolder).entryList({QStringLiteral("tarvenix_*.ts")}, QDir::Files);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "%1", "%L2" and "%n" in a text, each once.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression kPlaceholder(QStringLiteral("%L?[0-9]+|%n"));
    QStringList found;
    auto it = kPlaceholder.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured().remove(QLatin1Char('L'));
    found.removeDuplicates();
    found.sort();
    return found;
}

// What is wrong with one translated entry, or empty.
QString fault(const QString &source, const QString &translation, const QString &type)
{
    if (!type.isEmpty() || translation.isEmpty())
        return type.isEmpty() ? QStringLiteral("not translated") : type;
    if (placeholders(source) != placeholders(translation))
        return QStringLiteral("placeholders differ");
    if (source.startsWith(QLatin1Char('\n')) != translation.startsWith(QLatin1Char('\n')) ||
        source.endsWith(QLatin1Char('\n')) != translation.endsWith(QLatin1Char('\n')))
        return QStringLiteral("line breaks at the ends differ");
    return QString();
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

  private slots:
    void faultsAreSeen()
    {
        QCOMPARE(fault("%1 of %2", "%1 von %2", ""), QString());
        QCOMPARE(fault("%1 of %2", "%1 von %3", ""), "placeholders differ");
        QCOMPARE(fault("\nPlease retry.", "Bitte erneut.", ""), "line breaks at the ends differ");
        QCOMPARE(fault("Close", "", "unfinished"), "unfinished");
    }

    void lupdateChangesNothing()
    {
        QTemporaryDir copies;
        const QStringList files = translationFiles();
        QVERIFY(files.size() >= 2);
        for (const QString &name : files)
            QVERIFY(QFile::copy(kFolder + '/' + name, copies.filePath(name)));
        QProcess lupdate;
        lupdate.start(QStringLiteral("sh"),
                      {QStringLiteral(TARVENIX_SOURCE_DIR "/tools/update-translations.sh"),
                       QStringLiteral("--into"), copies.path()});
        QVERIFY(lupdate.waitForFinished(120000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAllStandardError().constData());
        for (const QString &name : files)
            QVERIFY2(contentOf(copies.filePath(name)) == contentOf(kFolder + '/' + name),
                     qPrintable(name + " is stale: run tools/update-translations.sh, then "
                                       "translate what it marks unfinished"));
    }

    void everyEntryTranslated()
    {
        for (const QString &name : translationFiles()) {
            QFile file(kFolder + '/' + name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QXmlStreamReader xml(&file);
            QString source;
            int entries = 0;
            while (!xml.atEnd()) {
                if (xml.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (xml.name() == QLatin1String("source")) {
                    source = xml.readElementText();
                } else if (xml.name() == QLatin1String("translation")) {
                    const QString type = xml.attributes().value("type").toString();
                    const QString problem = fault(source, xml.readElementText(), type);
                    QVERIFY2(problem.isEmpty(), qPrintable(name + ": " + problem + ": " + source));
                    ++entries;
                }
            }
            QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
            QVERIFY(entries > 100);
        }
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
