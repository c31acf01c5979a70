// A soak of the block loop against the emulated device, one process inside its testbed:
//   tarvenix-emu --no-device -- soak [TRANSFERS] [CYCLES]      (default 100 and 200)
// Whole 524,288-byte transfers of the three kinds in turn, and unplug and plug
// cycles between them and during them. A transfer an unplug cuts must fail and
// name its block; every other one must succeed and move the right bytes. Resident
// memory, open descriptors and threads are printed at the start and at the end
// and must not grow once the first transfers have warmed the allocator up.

#include "device/exchange.h"
#include "emuclient.h"
#include "transfer/blockloop.h"
#include "transfer/devicecontroller.h"
#include "words/failures.h"
#include "words/results.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

using namespace tarvenix;

namespace {

constexpr char kVersion[] = "TVX-EMU 1.1.0";
// The warm-up to end growth allowed in resident memory, for allocator noise.
constexpr long kRssSlackKb = 2048;

struct Usage {
    long rssKb = 0;
    int fds = 0;
    int threads = 0;
};

Usage usage()
{
    Usage u;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                u.rssKb = line.mid(6).trimmed().split(' ').value(0).toLong();
            else if (line.startsWith("Threads:"))
                u.threads = line.mid(8).trimmed().toInt();
        }
    }
    // The listing's own descriptor is counted too, the same each time.
    u.fds = int(QDir(QStringLiteral("/proc/self/fd"))
                    .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                    .size());
    return u;
}

void printUsage(const char *when, const Usage &u)
{
    std::printf("%-8s resident %6ld kB   descriptors %3d   threads %2d\n", when, u.rssKb, u.fds,
                u.threads);
}

bool control(const QString &line)
{
    char reply[256];
    if (emu_command(line.toUtf8().constData(), reply, sizeof reply) == 0)
        return true;
    std::fprintf(stderr, "soak: emulator refused \"%s\": %s\n", qPrintable(line), reply);
    return false;
}

QByteArray pattern(int seed)
{
    QByteArray bytes(kDataAreaSize, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 13 + seed + i / kBlockSize) & 0xff);
    return bytes;
}

// The emulator's own data area before anything is written: byte k = k*7 + k/512.
QByteArray defaultArea()
{
    QByteArray bytes(kDataAreaSize, '\0');
    for (int k = 0; k < bytes.size(); ++k)
        bytes[k] = char((k * 7 + k / kBlockSize) & 0xff);
    return bytes;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::abort();
    return path;
}

class Soak {
  public:
    Soak(int transfers, int cycles) : transfers_(transfers), cycles_(cycles) {}
    int run();

  private:
    enum class Cut { None, Fault, Thread };

    bool reopen();
    bool plainCycle();
    bool transfer(int index, TransferKind kind, Cut cut);
    bool checkFirmware();
    void wrong(const QString &what);

    int transfers_;
    int cycles_;
    int id_ = 0;
    DeviceController device_;
    QTemporaryDir dir_;
    std::mt19937 random_{20240607};

    QString firmware_, dataA_, dataB_, saveTarget_;
    QByteArray expectedArea_ = defaultArea();
    bool areaKnown_ = true;
    QByteArray lastSaved_; // what the save target holds, empty while there is none

    int ok_ = 0, toldFailures_ = 0, wrong_ = 0, cyclesDone_ = 0, staleTold_ = 0;
    int savesVerified_ = 0, reopenWaits_ = 0;
};

void Soak::wrong(const QString &what)
{
    ++wrong_;
    std::fprintf(stderr, "soak: WRONG: %s\n", qPrintable(what));
    std::printf("WRONG: %s\n", qPrintable(what));
}

// The device comes back under a new node; open it as the window would.
bool Soak::reopen()
{
    QElapsedTimer clock;
    clock.start();
    for (int attempt = 0; clock.elapsed() < 5000; ++attempt) {
        const OpenResult o = device_.open();
        if (!o.failure && !o.versionFailure && o.version == kVersion) {
            reopenWaits_ += attempt > 0;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    wrong(QStringLiteral("the device did not come back within 5 s"));
    return false;
}

// Unplug with nothing running: the old handle must fail, the new node must open.
bool Soak::plainCycle()
{
    if (!control(QStringLiteral("unplug %1").arg(id_)))
        return false;
    Report request, reply;
    buildVersionQuery(request);
    if (exchange(*device_.port(), request, reply, kVersionReplyTimeoutMs).ok())
        wrong(QStringLiteral("a handle of an unplugged device still answered"));
    else
        ++staleTold_;
    // Every other cycle the device comes back late, so the reopen has to wait for it.
    const bool late = cyclesDone_ % 2 == 1;
    if (!control(late ? QStringLiteral("plug %1 ms=50").arg(id_)
                      : QStringLiteral("plug %1").arg(id_)))
        return false;
    ++cyclesDone_;
    return reopen();
}

bool Soak::transfer(int index, TransferKind kind, Cut cut)
{
    const QString file = kind == TransferKind::Firmware ? firmware_
                         : kind == TransferKind::Save   ? saveTarget_
                         : (index / 3) % 2              ? dataB_
                                                        : dataA_;
    BlockLoop loop(kind, *device_.port(), file);
    // Every save replaces the one before, as with --force.
    loop.setReplaceExisting(true);
    std::atomic<bool> pastSecondStep{false}, done{false};
    loop.setStepHandler([&](int step, int) {
        if (step >= 2)
            pastSecondStep = true;
    });

    int faultAt = 0;
    std::thread unplugger;
    if (cut == Cut::Fault) {
        faultAt = std::uniform_int_distribution<int>(1, kDataAreaBlocks)(random_);
        if (!control(QStringLiteral("fault %1 unplug at=%2").arg(id_).arg(faultAt)))
            return false;
    } else if (cut == Cut::Thread) {
        // From another thread, while a read may be blocked, a third of the way in.
        unplugger = std::thread([&] {
            while (!pastSecondStep && !done)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            control(QStringLiteral("unplug %1").arg(id_));
        });
    }
    const TransferOutcome outcome = loop.run();
    done = true;
    if (unplugger.joinable())
        unplugger.join();

    const QString what = QStringLiteral("transfer %1 (%2)").arg(index + 1).arg(transferName(kind));
    const QString message = transferFailureMessage(kind, file, outcome);
    if (cut == Cut::None) {
        if (!outcome.ok())
            wrong(what + QStringLiteral(" failed uncut: ") + message);
        else
            ++ok_;
    } else {
        const bool named = outcome.failedBlock >= 1 && outcome.failedBlock <= kDataAreaBlocks &&
                           message.contains(QStringLiteral("failed at block %1 of %2")
                                                .arg(outcome.failedBlock)
                                                .arg(kDataAreaBlocks));
        if (outcome.ok() || !named || (faultAt && outcome.failedBlock != faultAt))
            wrong(what + QStringLiteral(" cut at %1 was told as: ").arg(faultAt) +
                  (outcome.ok() ? QStringLiteral("success") : message));
        else
            ++toldFailures_;
    }

    // What the device's data area and the save target must hold now.
    if (kind == TransferKind::Data) {
        areaKnown_ = outcome.ok();
        if (outcome.ok())
            expectedArea_ = readFile(file);
    } else if (kind == TransferKind::Save) {
        const QByteArray saved = readFile(saveTarget_);
        if (outcome.ok()) {
            if (areaKnown_ && saved != expectedArea_)
                wrong(what + QStringLiteral(" saved other bytes than the data area holds"));
            else
                savesVerified_ += areaKnown_;
            expectedArea_ = saved;
            areaKnown_ = true;
            lastSaved_ = saved;
        } else if (saved != lastSaved_) {
            wrong(what + QStringLiteral(" was cut but changed the save target"));
        }
    }
    if (cut != Cut::None) {
        if (!control(QStringLiteral("plug %1").arg(id_)))
            return false;
        ++cyclesDone_;
        return reopen();
    }
    return true;
}

// Every firmware transfer sends the same image, so whatever was cut, the last
// whole one left exactly that image in the device.
bool Soak::checkFirmware()
{
    const QString dump = dir_.filePath(QStringLiteral("dump"));
    QDir().mkpath(dump);
    if (!control(QStringLiteral("dump %1 %2").arg(id_).arg(dump)))
        return false;
    if (readFile(dump + QStringLiteral("/firmware.bin")) != readFile(firmware_))
        wrong(QStringLiteral("the device's firmware image differs from the file"));
    return true;
}

int Soak::run()
{
    const Usage atStart = usage();
    printUsage("start", atStart);
    QElapsedTimer clock;
    clock.start();

    char reply[64];
    if (emu_command("add vid=1abe pid=2202", reply, sizeof reply) != 0) {
        std::fprintf(stderr, "soak: run this inside tarvenix-emu --no-device (%s)\n", reply);
        return 1;
    }
    id_ = std::atoi(reply + 3);
    firmware_ = writeFile(dir_.filePath(QStringLiteral("firmware.bin")), pattern(1));
    dataA_ = writeFile(dir_.filePath(QStringLiteral("data-a.bin")), pattern(2));
    dataB_ = writeFile(dir_.filePath(QStringLiteral("data-b.bin")), pattern(3));
    saveTarget_ = dir_.filePath(QStringLiteral("saved.bin"));
    if (!reopen())
        return 1;

    Usage warm;
    const int warmUp = std::min(6, transfers_);
    for (int i = 0; i < transfers_; ++i) {
        const TransferKind kind = TransferKind(i % 3);
        // One transfer in four is cut: by an armed fault at a random block, or
        // from another thread while the loop runs.
        const Cut cut = i % 8 == 3 ? Cut::Fault : i % 8 == 7 ? Cut::Thread : Cut::None;
        if (!transfer(i, kind, cut))
            return 1;
        // Spread the remaining cycles evenly over the transfers.
        while (cyclesDone_ < cycles_ * (i + 1) / transfers_) {
            if (!plainCycle())
                return 1;
        }
        if (i + 1 == warmUp)
            warm = usage();
        if ((i + 1) % 10 == 0) {
            const Usage u = usage();
            std::printf("after %3d transfers, %3d cycles: resident %6ld kB, descriptors %d, "
                        "threads %d\n",
                        i + 1, cyclesDone_, u.rssKb, u.fds, u.threads);
            std::fflush(stdout);
        }
    }
    if (!checkFirmware())
        return 1;
    const Usage atEnd = usage();

    std::printf("\n%d transfers (%d firmware, %d data, %d saves of %d bytes), %d unplug/plug "
                "cycles in %.1f s\n",
                transfers_, (transfers_ + 2) / 3, (transfers_ + 1) / 3, transfers_ / 3,
                kDataAreaSize, cyclesDone_, clock.elapsed() / 1000.0);
    std::printf("succeeded %d, cut and told with their block %d, wrong %d\n", ok_, toldFailures_,
                wrong_);
    std::printf("stale handles told after unplug %d, saves checked byte for byte %d, reopens "
                "that waited %d\n",
                staleTold_, savesVerified_, reopenWaits_);
    printUsage("start", atStart);
    printUsage("warm", warm);
    printUsage("end", atEnd);
    const bool flat = atEnd.fds == warm.fds && atEnd.threads == warm.threads &&
                      atEnd.rssKb - warm.rssKb <= kRssSlackKb;
    std::printf("memory, descriptors and threads from warm-up to end: %s (resident %+ld kB)\n",
                flat ? "flat" : "GROWING", atEnd.rssKb - warm.rssKb);
    return wrong_ == 0 && flat && cyclesDone_ >= cycles_ ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const int transfers = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const int cycles = argc > 2 ? std::max(0, std::atoi(argv[2])) : 200;
    return Soak(transfers, cycles).run();
}
