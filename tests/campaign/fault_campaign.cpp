// The fault campaign: every transfer against every fault at the first, a
// middle and the last block, through the real block loop and the emulated
// device. Prints a table of what held and what broke; fails if anything broke.

#include "support/emu.h"
#include "transfer/blockloop.h"
#include "transfer/devicecontroller.h"
#include "words/failures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

using namespace tarvenix;

namespace {

// A short bound keeps the campaign quick; the loop's logic does not depend on its size.
constexpr int kBoundMs = 400;
constexpr int kMarginMs = 3000;
constexpr int kFileBlocks = 64;

struct Fault {
    const char *name;
    QString command;    // %1: the block it hits
    QString failsWith;  // empty: the transfer must succeed
    bool onlySaveFails; // a short reply carries no block only for a read-out
};

const Fault kFaults[] = {
    {"silent", "silent at=%1", "did not answer", false},
    {"late, under bound", "late ms=250 at=%1", "", false},
    {"late, over bound", "late ms=700 at=%1", "did not answer", false},
    {"short reply", "short n=20 at=%1", "too short", true},
    {"write fails", "writefail at=%1", "did not accept", false},
    {"unplug", "unplug at=%1", "reading the device's reply failed", false},
};

struct Combination {
    TransferKind kind;
    const Fault *fault;
    int block;
};

class Campaign {
  public:
    Campaign()
    {
        QFile f(dir.filePath("image.bin"));
        f.open(QIODevice::WriteOnly);
        for (int i = 0; i < kFileBlocks * kBlockSize; ++i)
            f.putChar(char(i * 7 + i / 512));
        image = f.fileName();
    }

    // Empty when the combination held, otherwise what broke.
    QString run(const Combination &c)
    {
        const int id = emu::add("vid=1abe pid=2202");
        DeviceController device;
        device.open();
        const QString target = dir.filePath("save.bin");
        writeOld(target);
        emu::command(QStringLiteral("clear %1").arg(id));
        emu::fault(id, c.fault->command.arg(c.block));
        const Result r = transfer(*device.port(), c, target);
        device.close();
        const QString broke = judge(c, r, emu::stats(id), target);
        emu::release(id);
        return broke;
    }

  private:
    struct Result {
        TransferOutcome outcome;
        bool sawStep6 = false;
        // From the end of the block before the faulted one to the end of that block, or
        // to the end of the run when it failed there: what the fault cost, whatever the
        // other blocks took on a slow (sanitized, loaded) machine.
        qint64 faultMs = 0;
    };

    Result transfer(HidPort &port, const Combination &c, const QString &target)
    {
        Result r;
        BlockLoop loop(c.kind, port, c.kind == TransferKind::Save ? target : image);
        loop.setReplyTimeout(kBoundMs);
        // The old file stands for one the user agreed to replace, as with --force.
        loop.setReplaceExisting(true);
        loop.setStepHandler([&r](int step, int) { r.sawStep6 |= step == 6; });
        QElapsedTimer clock;
        qint64 faultStart = 0, faultEnd = -1;
        loop.setBlockHandler([&](TransferKind, int done, int) {
            if (done == c.block - 1)
                faultStart = clock.elapsed();
            else if (done == c.block)
                faultEnd = clock.elapsed();
        });
        clock.start();
        r.outcome = loop.run();
        r.faultMs = (faultEnd < 0 ? clock.elapsed() : faultEnd) - faultStart;
        return r;
    }

    static void writeOld(const QString &target)
    {
        QFile f(target);
        f.open(QIODevice::WriteOnly);
        f.write("old content");
    }

    static QByteArray content(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    static QString judge(const Combination &c, const Result &r, const emu::Stats &s,
                         const QString &target)
    {
        const bool save = c.kind == TransferKind::Save;
        const bool mustFail = !c.fault->failsWith.isEmpty() && (save || !c.fault->onlySaveFails);
        const TransferOutcome &o = r.outcome;
        const QString cause = failureCause(o.failure, target);
        if (r.faultMs > kBoundMs + kMarginMs)
            return QStringLiteral("the faulted block took %1 ms").arg(r.faultMs);
        if (s.early || s.bad)
            return QStringLiteral("device saw %1 early and %2 bad requests")
                .arg(s.early)
                .arg(s.bad);
        if (!mustFail)
            return o.ok() && r.sawStep6 ? QString() : QStringLiteral("failed: ") + cause;
        if (o.ok() || r.sawStep6)
            return QStringLiteral("told success");
        if (o.failedBlock != c.block || !cause.contains(c.fault->failsWith))
            return QStringLiteral("said block %1: %2").arg(o.failedBlock).arg(cause);
        if (s.requests > c.block)
            return QStringLiteral("%1 requests after the failure").arg(s.requests - c.block);
        if (save && content(target) != "old content")
            return QStringLiteral("replaced the file");
        return QString();
    }

    QTemporaryDir dir;
    QString image;
};

const char *name(TransferKind kind)
{
    return kind == TransferKind::Firmware ? "firmware"
           : kind == TransferKind::Data   ? "data"
                                          : "save";
}

} // namespace

int main()
{
    qSetMessagePattern(QStringLiteral("%{if-critical}%{message}%{endif}"));
    Campaign campaign;
    int held = 0, broken = 0;
    std::printf("%-9s %-18s %6s  %s\n", "transfer", "fault", "block", "result");
    for (TransferKind kind : {TransferKind::Firmware, TransferKind::Data, TransferKind::Save}) {
        const int blocks = kind == TransferKind::Save ? kDataAreaBlocks : kFileBlocks;
        for (const Fault &fault : kFaults) {
            for (int block : {1, blocks / 2, blocks}) {
                const QString broke = campaign.run({kind, &fault, block});
                (broke.isEmpty() ? held : broken)++;
                std::printf("%-9s %-18s %6d  %s\n", name(kind), fault.name, block,
                            broke.isEmpty() ? "held" : qPrintable("BROKEN: " + broke));
                std::fflush(stdout);
            }
        }
    }
    std::printf("%d combinations: %d held, %d broken\n", held + broken, held, broken);
    std::printf("%d passed, %d failed\n", held, broken);
    return broken ? 1 : 0;
}
