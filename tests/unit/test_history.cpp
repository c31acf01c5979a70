// The history as a log that cannot lose a record: whole lines on lines of their own, a
// failed write undone, unreadable lines counted, no waiting on a FIFO, the last records read
// from the end across the rotation, and the transfers a crash ended found once. And the
// settings, which are not opened when they are not a file.

#include "support/files.h"
#include "transfer/savefile.h"
#include "userfiles/history.h"
#include "userfiles/settings.h"

#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace tarvenix;

namespace {

bool append(const QJsonObject &record, QString &problem)
{
    const HistoryLock lock(true);
    return appendRecordLocked(record, problem);
}

void append(const QJsonObject &record)
{
    QString problem;
    QVERIFY2(append(record, problem), qPrintable(problem));
}

QJsonObject ended(const QString &id, const QString &padding = QString())
{
    return {{"schema", 3}, {"event", "end"}, {"id", id}, {"result", "ok"}, {"note", padding}};
}

// A process id that no process has now: that of a child which has ended.
qint64 goneProcess()
{
    QProcess child;
    child.start(QStringLiteral("true"), QStringList());
    child.waitForStarted();
    const qint64 pid = child.processId();
    child.waitForFinished();
    return pid;
}

QJsonObject started(const QString &id, qint64 pid, const QString &file)
{
    return {{"schema", 3},
            {"event", "start"},
            {"id", id},
            {"time", "2024-05-18T10:15:02.123Z"},
            {"kind", "save"},
            {"device", QJsonObject{{"vendorId", "1abe"}, {"productId", "2202"}}},
            {"file", QJsonObject{{"path", file}, {"size", QJsonValue()}, {"sha256", QJsonValue()}}},
            {"backup", QJsonValue()},
            {"process", QJsonObject{{"pid", pid}, {"instance", thisProcess().instance}}}};
}

QStringList ids(const QVector<QJsonObject> &records)
{
    QStringList all;
    for (const QJsonObject &r : records)
        all << r.value("id").toString();
    return all;
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

  private slots:
    // The first settings this program reads: QSettings would wait on the FIFO for ever.
    void settingsThatAreNoFileAreIgnoredOnce()
    {
        const QString conf =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
            "/tarvenix/tarvenix.conf";
        QVERIFY(QDir().mkpath(QFileInfo(conf).path()));
        QCOMPARE(::mkfifo(QFile::encodeName(conf).constData(), 0600), 0);
        setSafetyOn(Safety::BackupBeforeData, false);
        QVERIFY(safetyOn(Safety::BackupBeforeData));
        QCOMPARE(takeIgnoredSettings(), conf);
        QCOMPARE(takeIgnoredSettings(), QString());
    }

    void init()
    {
        QDir().mkpath(QFileInfo(historyPath()).path());
        for (const QString &file : {historyPath(), historyPath() + ".1"})
            QFile::remove(file);
    }

    // A tail without a line end, as a crash leaves it, is closed before the next record.
    void recordStartsOnAFreshLineAndFragmentsAreCounted()
    {
        testfiles::write(historyPath(), "{\"schema\":3,\"event\":\"end\",\"id\":\"cut");
        TransferRecord record(TransferKind::Save, FoundDevice(), "x.bin");
        record.finish({});
        keepInHistory(record);
        QVERIFY2(record.historyProblem.isEmpty(), qPrintable(record.historyProblem));
        int skipped = -1;
        const QVector<QJsonObject> read = readHistory(0, &skipped);
        QCOMPARE(ids(read), QStringList{record.id});
        QCOMPARE(read[0].value("schema").toInt(), 3);
        QCOMPARE(skipped, 1);
    }

    // A full disk (here a file size limit) cuts the write short: nothing of it stays.
    void failedWriteIsUndoneWithTheSystemsReason()
    {
        append(ended("first"));
        const qint64 size = QFileInfo(historyPath()).size();
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit small = old;
        small.rlim_cur = rlim_t(size + 10);
        setrlimit(RLIMIT_FSIZE, &small);
        QString problem;
        const bool written = append(ended("second", QString(200, 'x')), problem);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY(!written);
        QCOMPARE(problem, QStringLiteral("File too large"));
        QCOMPARE(QFileInfo(historyPath()).size(), size);
    }

    void fifoIsNeitherWrittenNorReadNorWaitedOn()
    {
        QCOMPARE(::mkfifo(QFile::encodeName(historyPath()).constData(), 0600), 0);
        QString problem;
        QVERIFY(!append(ended("lost"), problem));
        QVERIFY2(problem.contains("fifo"), qPrintable(problem));
        QVERIFY(readHistory(0).isEmpty());
    }

    // The last records come from the end, of the history and of what it was rotated into;
    // a line of an earlier version is read as written.
    void lastRecordsAcrossTheRotation()
    {
        append({{"kind", "save"}, {"result", "failed"}, {"failure", "Save data failed."}});
        const QString padding(1000, 'p');
        const int n = 1100; // past 1 MiB
        for (int i = 0; i < n; ++i)
            append(ended(QString::number(i), padding));
        QVERIFY(QFileInfo(historyPath() + ".1").size() >= 1 << 20);
        QVERIFY(QFileInfo(historyPath()).size() < 1 << 20);
        QCOMPARE(ids(readHistory(2)),
                 (QStringList{QString::number(n - 2), QString::number(n - 1)}));
        const QVector<QJsonObject> all = readHistory(0);
        QCOMPARE(all.size(), n + 1);
        QCOMPARE(all[0].value("failure").toString(), QStringLiteral("Save data failed."));
    }

    // A start whose process is gone is ended as interrupted, once; one whose process runs is
    // left running. The gone save's temporary file goes; a running program's stays.
    void interruptedTransferIsFoundOnce()
    {
        const QTemporaryDir folder;
        const qint64 gone = goneProcess();
        const QString stale =
            testfiles::write(folder.filePath(QStringLiteral(".tvx-%1-aaaaaa").arg(gone)), "x");
        const QString ours = testfiles::write(
            folder.filePath(
                QStringLiteral(".tvx-%1-bbbbbb").arg(QCoreApplication::applicationPid())),
            "x");
        append(started("crashed", gone, folder.filePath("save.bin")));
        append(started("running", QCoreApplication::applicationPid(), folder.filePath("b.bin")));
        const QVector<QJsonObject> found = recoverInterruptedTransfers();
        QCOMPARE(ids(found), QStringList{"crashed"});
        QCOMPARE(found[0].value("result").toString(), QStringLiteral("interrupted"));
        QVERIFY(!QFileInfo::exists(stale));
        QVERIFY(QFileInfo::exists(ours));
        QVERIFY(recoverInterruptedTransfers().isEmpty());
        const QVector<QJsonObject> listed = readHistory(0);
        // In the order of their lines: the running one's start, the crashed one's end.
        QCOMPARE(ids(listed), (QStringList{"running", "crashed"}));
        QCOMPARE(listed[0].value("result").toString(), QStringLiteral("running"));
        QCOMPARE(listed[1].value("event").toString(), QStringLiteral("end"));
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "test_history.moc"
