// Transfer figures against the emulated device, run inside its testbed:
//   tarvenix-emu -- transfer_bench [REPEATS]
// Interleaves the tool's block loop with a minimal plain hidapi loop making the
// same 1024 exchanges, the command-line tool with its trace lines off (as without
// --trace) and on, the command-line tool's whole save against a plain C hidapi program
// doing the same save, and a save recording a capture (as --record does) against one not
// recording, then measures the GUI thread's longest stall during a save with the window up.
// Each figure is the median of the repeats, at least 11; with "goals" after REPEATS, only the
// two figures that have a goal.

#include "device/recordingport.h"
#include "support/dialogs.h"
#include "transfer/blockloop.h"
#include "transfer/devicecontroller.h"
#include "ui/mainwindow.h"
#include "workers/transferworkers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <hidapi.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace tarvenix;

namespace {

struct Sample {
    double wallMs;
    double cpuMs;
};

// This process's CPU time and that of the children it has waited for (the CLI).
double cpuMs()
{
    rusage self, children;
    getrusage(RUSAGE_SELF, &self);
    getrusage(RUSAGE_CHILDREN, &children);
    auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(self.ru_utime) + ms(self.ru_stime) + ms(children.ru_utime) + ms(children.ru_stime);
}

template <typename F> Sample measure(F run)
{
    QElapsedTimer wall;
    const double cpu0 = cpuMs();
    wall.start();
    run();
    return {wall.nsecsElapsed() / 1e6, cpuMs() - cpu0};
}

// What the plain loop does besides its exchanges.
struct Extras {
    // First look for a queued report without waiting, as the tool's loop does before each
    // request of a save: the cost of keeping a conversation in step.
    bool look = false;
    std::vector<int> *roundTripsUs = nullptr; // each exchange's time
    QByteArray *area = nullptr;               // the blocks read out
};

// The least a program can do: 1024 writes, each followed by its reply.
void plainLoop(hid_device *device, std::uint8_t opByte, Extras extras = {})
{
    QElapsedTimer clock;
    unsigned char request[kReportSize] = {0};
    unsigned char reply[kReportSize];
    request[3] = opByte ? 0x01 : 0x00;
    request[4] = opByte ? 0x02 : 0x01;
    request[5] = opByte ? 8 : 0x08;
    request[6] = opByte ? 0 : 0x02;
    request[7] = opByte ? 4 : 0;
    request[10] = 2;
    for (unsigned block = 0; block < kDataAreaBlocks; ++block) {
        const unsigned offset = block * kBlockSize;
        std::memcpy(request + 11, &offset, 4);
        if (extras.look && hid_read_timeout(device, reply, sizeof reply, 0) != 0)
            std::abort();
        clock.start();
        if (hid_write(device, request, sizeof request) < 0 ||
            hid_read_timeout(device, reply, sizeof reply, kTransferReplyTimeoutMs) <= 0)
            std::abort();
        if (extras.roundTripsUs)
            extras.roundTripsUs->push_back(int(clock.nsecsElapsed() / 1000));
        if (extras.area)
            std::memcpy(extras.area->data() + offset, reply + 14, kBlockSize);
    }
}

// The plain loop's blocks written into a file and flushed to disk, as plain_save.c writes
// them: the least a save can do.
void plainSaveToFile(hid_device *device, const QString &path)
{
    QByteArray area(kDataAreaSize, '\0');
    plainLoop(device, 1, {false, nullptr, &area});
    std::FILE *out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!out || std::fwrite(area.constData(), 1, std::size_t(area.size()), out) != kDataAreaSize ||
        std::fflush(out) != 0 || fsync(fileno(out)) != 0 || std::fclose(out) != 0)
        std::abort();
}

// The block loop as tarvenix-cli runs it without --trace: the trace's lines are not made.
template <typename F> Sample withoutTrace(F run)
{
    QLoggingCategory::setFilterRules(QStringLiteral("tarvenix.trace.debug=false"));
    const Sample s = run();
    QLoggingCategory::setFilterRules(QString());
    return s;
}

void toolLoop(HidPort &port, TransferKind kind, const QString &path)
{
    BlockLoop loop(kind, port, path);
    // Each save replaces the one before, as the CLI's does with --force.
    loop.setReplaceExisting(true);
    if (!loop.run().ok())
        std::abort();
}

// One handle on the device at a time: every open handle gets a copy of each reply. With a
// capture, the port records into it.
template <typename F>
Sample onPort(const char *path, F run, const std::shared_ptr<Capture> &capture = nullptr)
{
    HidPortPtr port = openPort(path);
    if (!port)
        std::abort();
    if (capture)
        port = recordingPort(std::move(port), capture, QString::fromLocal8Bit(path));
    return measure([&] { run(*port); });
}

template <typename F> Sample onHidapi(const char *path, F run)
{
    hid_device *device = hid_open_path(path);
    if (!device)
        std::abort();
    const Sample s = measure([&] { run(device); });
    hid_close(device);
    return s;
}

struct Stats {
    double median;
    double spread; // max - min
};

Stats stats(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.back() - v.front()};
}

// A program of its own, run to its end.
void runProgram(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        std::abort();
}

// The command-line tool, a process of its own, doing the same transfer. Its trace, when
// asked for, goes nowhere: what it costs is the making of the lines.
void cliRun(const QString &cli, const QStringList &args)
{
    runProgram(cli, QStringList{QStringLiteral("--quiet")} + args);
}

// The ratio of the medians, and the median of each repeat's own ratio: on a shared machine
// whose load comes and goes, the two runs of one repeat meet about the same load.
void report(const char *what, const std::vector<Sample> &tool, const std::vector<Sample> &plain)
{
    std::vector<double> tw, tc, pw, pc, rw, rc;
    for (std::size_t i = 0; i < tool.size(); ++i) {
        tw.push_back(tool[i].wallMs);
        tc.push_back(tool[i].cpuMs);
        pw.push_back(plain[i].wallMs);
        pc.push_back(plain[i].cpuMs);
        rw.push_back(tool[i].wallMs / plain[i].wallMs);
        rc.push_back(tool[i].cpuMs / plain[i].cpuMs);
    }
    const Stats a = stats(tw), b = stats(pw), c = stats(tc), d = stats(pc);
    std::printf("%-11s wall tool %7.1f ms (spread %6.1f)  plain %7.1f ms (spread %6.1f)  ratio %.3f"
                "  paired %.3f\n",
                what, a.median, a.spread, b.median, b.spread, a.median / b.median,
                stats(rw).median);
    std::printf("%-11s cpu  tool %7.1f ms (spread %6.1f)  plain %7.1f ms (spread %6.1f)  ratio %.3f"
                "  paired %.3f\n",
                what, c.median, c.spread, d.median, d.spread, c.median / d.median,
                stats(rc).median);
}

// Two runs back to back, each first in every other repeat, so that neither always meets the
// load the other leaves.
template <typename A, typename B> void inTurns(int repeat, A first, B second)
{
    if (repeat % 2) {
        second();
        first();
    } else {
        first();
        second();
    }
}

// From the first block to the last reply: the success box that follows is the
// user's to dismiss, not a stall.
double longestGuiStall(const QString &target)
{
    DialogAnswerer dialogs;
    MainWindow window;
    window.show();
    QElapsedTimer clock;
    qint64 last = -1, longest = 0;
    bool done = false;
    dialogs.onBox = [&](const SeenBox &) { done = true; };
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0 && !done)
            longest = std::max(longest, now - last);
        last = window.transferRunning() ? now : -1;
        if (done && !window.transferRunning())
            QCoreApplication::quit();
    });
    tick.start(1);
    dialogs.files << target;
    clock.start();
    QTimer::singleShot(0, &window, &MainWindow::slotPushButtonRunSaveData);
    QCoreApplication::exec();
    return longest / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(11, atoi(argv[1])) : 11;
    // "goals": only the two pairs that have a goal, for more repeats in less time.
    const bool goalsOnly = argc > 2 && qstrcmp(argv[2], "goals") == 0;
    QTemporaryDir dir;
    // The command-line tool's backups, history and settings go into this run's folder.
    for (const char *name : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME"})
        qputenv(name, QFile::encodeName(dir.filePath(QString::fromLatin1(name))));
    QFile image(dir.filePath("image.bin"));
    image.open(QIODevice::WriteOnly);
    image.write(QByteArray(kDataAreaSize, '\x5a'));
    image.close();

    char path[kDevicePathSize];
    {
        DeviceController device;
        if (device.open().failure) {
            std::fprintf(stderr, "no device: run this inside tarvenix-emu\n");
            return 1;
        }
        std::memcpy(path, device.pathBytes(), sizeof path);
    }
    const QString cli = QCoreApplication::applicationDirPath() + "/../cli/tarvenix-cli";
    const QString plainSaveProgram = QCoreApplication::applicationDirPath() + "/plain_save";
    const QString cliSave = dir.filePath("cli.bin");
    const QString capture = dir.filePath("capture.jsonl");
    std::vector<Sample> toolSave, plainSave, lookSave, cliSaves, cliTraced, toolFw, plainFw, cliFw,
        recordedSave, cliRecorded, cliData, cliBareData, plainC, quietSave, plainFile;
    std::vector<double> graceMs;
    for (int i = 0; i < repeats; ++i) {
        const auto save = [&](HidPort &port) {
            toolLoop(port, TransferKind::Save, dir.filePath("s.bin"));
        };
        inTurns(
            i, [&] { quietSave.push_back(withoutTrace([&] { return onPort(path, save); })); },
            [&] {
                plainSave.push_back(
                    onHidapi(path, [](hid_device *device) { plainLoop(device, 1); }));
            });
        plainFile.push_back(onHidapi(
            path, [&](hid_device *device) { plainSaveToFile(device, dir.filePath("p.bin")); }));
        inTurns(
            i,
            [&] {
                cliSaves.push_back(measure([&] { cliRun(cli, {"save", "--force", cliSave}); }));
            },
            [&] {
                plainC.push_back(
                    measure([&] { runProgram(plainSaveProgram, {dir.filePath("c.bin")}); }));
            });
        std::vector<int> roundTripsUs;
        lookSave.push_back(onHidapi(path, [&](hid_device *device) {
            plainLoop(device, 1, {true, &roundTripsUs});
        }));
        graceMs.push_back(strayGraceMs(roundTripsUs));
        if (goalsOnly)
            continue;
        toolSave.push_back(onPort(path, save));
        recordedSave.push_back(onPort(path, save, Capture::start(capture, "transfer_bench", "")));
        toolFw.push_back(onPort(path, [&](HidPort &port) {
            toolLoop(port, TransferKind::Firmware, image.fileName());
        }));
        plainFw.push_back(onHidapi(path, [](hid_device *device) { plainLoop(device, 0); }));
        cliTraced.push_back(measure([&] { cliRun(cli, {"save", "--force", "--trace", cliSave}); }));
        cliFw.push_back(measure([&] { cliRun(cli, {"firmware", image.fileName()}); }));
        cliRecorded.push_back(measure([&] {
            cliRun(cli, {"save", "--force", "--record", capture, cliSave});
        }));
        cliData.push_back(measure([&] { cliRun(cli, {"data", image.fileName()}); }));
        cliBareData.push_back(measure([&] {
            cliRun(cli, {"data", "--no-backup", "--no-verify", image.fileName()});
        }));
    }
    std::printf("%d interleaved repeats of 1024 exchanges (524,288 bytes), trace lines %s\n",
                repeats, QLoggingCategory::defaultCategory()->isDebugEnabled() ? "on" : "off");
    std::printf("ratio: of the medians; paired: the median of each repeat's own ratio\n");
    std::printf("save, quiet: the block loop's save with the trace lines off, as tarvenix-cli "
                "runs it without --trace, its wait for a stray report included, against the "
                "plain loop (goal: at most 1.05); +file: against the plain loop that also writes "
                "the file and flushes it to disk\n");
    std::printf("cli vs C: tarvenix-cli's whole save against a plain C hidapi program's "
                "(bench/plain_save.c; goal: at most 1.10)\n");
    report("save, quiet", quietSave, plainSave);
    report("quiet +file", quietSave, plainFile);
    report("cli vs C", cliSaves, plainC);
    const Stats grace = stats(graceMs);
    std::printf("the wait for a stray report after a save's last reply, from this device's round "
                "trips: median %.0f ms (spread %.0f)\n",
                grace.median, grace.spread);
    if (goalsOnly)
        return 0;
    std::printf("look: the plain loop with a look for a queued report before each request\n");
    std::printf("save: the block loop's save, its trace lines on as the window has them\n");
    std::printf("cli save: tarvenix-cli without --trace; cli trace: with --trace, to nowhere\n");
    std::printf("cli data: tarvenix-cli's data download with its backup and verify, against one "
                "with --no-backup --no-verify\n");
    std::printf("recorded: recording a capture (tool) against not (plain): the block loop's save "
                "and the cli save\n");
    report("save", toolSave, plainSave);
    report("look", lookSave, plainSave);
    report("firmware", toolFw, plainFw);
    report("cli save", cliSaves, plainSave);
    report("cli trace", cliTraced, plainSave);
    report("cli fw", cliFw, plainFw);
    report("cli data", cliData, cliBareData);
    report("recorded", recordedSave, toolSave);
    report("cli rec", cliRecorded, cliSaves);
    std::printf("GUI thread's longest stall during a full save: %.1f ms\n",
                longestGuiStall(dir.filePath("gui.bin")));
    return 0;
}
