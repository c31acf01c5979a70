// The crash campaign: tarvenix-cli killed with SIGKILL at 20 points of a save that replaces
// a file, a data download (its backup, the download, the verify) and a firmware download,
// against the emulated device answering without delay. Most points hold one reply back, so
// that the kill lands while that block waits; the last of each transfer kills it once every
// request went out, while it writes its files. After each kill:
//   - the next command tells the interrupted transfer once, and the one after it not again;
//   - the save's folder then holds its target alone, with its old content or the whole area,
//     and the backups folder whole backups only (a backup has no name until it is whole);
//   - the history has no line it cannot read and shows the transfer interrupted.
// The folders are in the test's temporary folder ($TMPDIR), whose file system must offer
// files without a name (O_TMPFILE: ext4, tmpfs, xfs, btrfs); the table names it. Prints a
// table of what held and what broke; fails if anything broke.

#include "support/emu.h"
#include "support/files.h"
#include "userfiles/backups.h"
#include "userfiles/history.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {

constexpr int kArea = 524288;
constexpr int kFirmwareBlocks = 128;
// Longer than any kill takes to land, shorter than the 8-second bound on a reply.
constexpr int kHoldMs = 5000;

struct Point {
    const char *transfer; // "save", "data" or "firmware"
    int request;          // the request whose reply is held back; 0: after the last one
    int afterMs;          // with 0: how long after the last request the kill comes
};

// A data download asks the version (request 1), reads the area into its backup (2 to 1025),
// sends the file (1026 to 2049) and reads it back (2050 to 3073); a firmware download asks
// the version, then sends 128 blocks; a save reads the 1024 blocks of the area.
const Point kPoints[] = {
    {"save", 1, 0},     {"save", 342, 0},    {"save", 683, 0},     {"save", 1024, 0},
    {"save", 0, 0},     {"save", 0, 60},     {"data", 2, 0},       {"data", 513, 0},
    {"data", 1025, 0},  {"data", 1026, 0},   {"data", 1538, 0},    {"data", 2049, 0},
    {"data", 2050, 0},  {"data", 2562, 0},   {"data", 3073, 0},    {"data", 0, 0},
    {"firmware", 2, 0}, {"firmware", 65, 0}, {"firmware", 129, 0}, {"firmware", 0, 0},
};

int requestsOf(const QString &transfer)
{
    if (transfer == QLatin1String("save"))
        return 1024;
    return transfer == QLatin1String("data") ? 1 + 3 * 1024 : 1 + kFirmwareBlocks;
}

// What a command said on stderr.
QString stderrOf(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(TARVENIX_CLI), arguments);
    cli.waitForFinished(60000);
    return QString::fromUtf8(cli.readAllStandardError());
}

// The file system of a folder by its name, and whether it makes files without a name.
QString fileSystem(const QString &folder)
{
    struct statfs fs;
    statfs(QFile::encodeName(folder).constData(), &fs);
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (fd >= 0)
        ::close(fd);
    const QString name = fs.f_type == 0xEF53       ? QStringLiteral("ext4")
                         : fs.f_type == 0x01021994 ? QStringLiteral("tmpfs")
                                                   : QStringLiteral("0x%1").arg(fs.f_type, 0, 16);
    return name + (fd >= 0 ? QStringLiteral(", O_TMPFILE") : QStringLiteral(", no O_TMPFILE"));
}

class Campaign {
  public:
    Campaign()
    {
        QDir().mkpath(out_.filePath("out"));
        QDir().mkpath(tarvenix::backupsFolder());
        data_ = testfiles::write(in_.filePath("data.bin"), testfiles::pattern(kArea, 5));
        firmware_ =
            testfiles::write(in_.filePath("fw.bin"), testfiles::pattern(kFirmwareBlocks * 512, 6));
    }

    QString folders() const { return fileSystem(tarvenix::backupsFolder()); }

    // Empty when the point held, otherwise what broke; `interrupted` says whether the kill
    // came before the transfer's end.
    QString run(const Point &p, bool &interrupted)
    {
        const int id = emu::add();
        area_ = emu::dataArea(id);
        emu::command(QStringLiteral("clear %1").arg(id));
        const QString transfer = QString::fromLatin1(p.transfer);
        if (p.request > 0)
            emu::fault(id, QStringLiteral("late ms=%1 at=%2").arg(kHoldMs).arg(p.request));
        kill(transfer, p.request > 0 ? p.request : requestsOf(transfer), p.afterMs, id);
        const QString broke = judge(transfer, p.request > 0, interrupted);
        emu::release(id);
        return broke;
    }

  private:
    QString target() const { return out_.filePath("out/target.bin"); }

    void kill(const QString &transfer, int request, int afterMs, int id)
    {
        testfiles::write(target(), "old content");
        QStringList arguments{transfer};
        arguments << (transfer == QLatin1String("save")   ? QStringList{"--force", target()}
                      : transfer == QLatin1String("data") ? QStringList{data_}
                                                          : QStringList{firmware_});
        QProcess cli;
        cli.start(QStringLiteral(TARVENIX_CLI), arguments);
        cli.waitForStarted();
        while (cli.state() == QProcess::Running && emu::stats(id).requests < request)
            QThread::msleep(1);
        QThread::msleep(afterMs);
        ::kill(pid_t(cli.processId()), SIGKILL);
        cli.waitForFinished();
    }

    QString judge(const QString &transfer, bool held, bool &interrupted)
    {
        interrupted = tarvenix::readHistory(1).value(0).value("event") == QLatin1String("start");
        if (held && !interrupted)
            return QStringLiteral("the transfer ended before the kill");
        const int told = stderrOf({"list"}).count(QStringLiteral("did not end"));
        if (told != (interrupted ? 1 : 0))
            return QStringLiteral("the next command told %1 interrupted transfers").arg(told);
        if (stderrOf({"list"}).contains(QStringLiteral("did not end")))
            return QStringLiteral("told a second time");
        const QStringList kept =
            QDir(out_.filePath("out"))
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        if (kept != QStringList{"target.bin"})
            return QStringLiteral("the save's folder holds ") + kept.join(QLatin1Char(' '));
        if (const QString left = backupsLeft(); !left.isEmpty())
            return left;
        const QByteArray content = testfiles::read(target());
        if (content != "old content" && !(transfer == QLatin1String("save") && content == area_))
            return QStringLiteral("the target holds %1 bytes of neither").arg(content.size());
        int skipped = 0;
        const QVector<QJsonObject> history = tarvenix::readHistory(0, &skipped);
        if (skipped > 0)
            return QStringLiteral("%1 lines of the history cannot be read").arg(skipped);
        if (interrupted && history.value(history.size() - 1).value("result") != "interrupted")
            return QStringLiteral("the history does not show it interrupted");
        return QString();
    }

    // Every entry is a marker or a whole backup of the area as it was.
    QString backupsLeft() const
    {
        const QDir folder(tarvenix::backupsFolder());
        const QStringList names =
            folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &name : names) {
            const bool whole = name.endsWith(QLatin1String(".bin")) &&
                               testfiles::read(folder.filePath(name)) == area_;
            if (!whole && !name.endsWith(QLatin1String(".last-download")))
                return QStringLiteral("the backups folder holds ") + name;
        }
        return QString();
    }

    QTemporaryDir in_;
    QTemporaryDir out_;
    QString data_;
    QString firmware_;
    QByteArray area_;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qSetMessagePattern(QStringLiteral("%{if-critical}%{message}%{endif}"));
    Campaign campaign;
    std::printf("folders on %s\n", qPrintable(campaign.folders()));
    std::printf("%-9s %-22s %-11s %s\n", "transfer", "killed", "", "result");
    int held = 0, broken = 0;
    for (const Point &p : kPoints) {
        bool interrupted = false;
        const QString broke = campaign.run(p, interrupted);
        (broke.isEmpty() ? held : broken)++;
        const QString when = p.request > 0 ? QStringLiteral("at request %1").arg(p.request)
                                           : QStringLiteral("%1 ms after the last").arg(p.afterMs);
        std::printf("%-9s %-22s %-11s %s\n", p.transfer, qPrintable(when),
                    interrupted ? "interrupted" : "had ended",
                    broke.isEmpty() ? "held" : qPrintable("BROKEN: " + broke));
        std::fflush(stdout);
    }
    std::printf("%d points: %d held, %d broken\n", held + broken, held, broken);
    return broken ? 1 : 0;
}
