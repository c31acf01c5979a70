#include "manyrun.h"

#include "cli/commands.h"
#include "cli/deviceset.h"
#include "cli/link.h"
#include "cli/progressboard.h"
#include "cli/quoting.h"
#include "cli/recording.h"
#include "cli/stopsignals.h"
#include "cli/summary.h"
#include "cli/text.h"
#include "words/failures.h"
#include "words/questions.h"
#include "words/results.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

namespace tarvenix::cli {

namespace {

// Often enough for the board to move.
constexpr int kTickMs = 100;

// One device of the run. Its controller holds the port and the lock on this thread; its
// transfers run on its job's thread, which only exchanges reports on that port.
struct Unit {
    int row = 0;
    DeviceResult result;
    QString file; // the file it sends or compares with, or the one its save writes
    DeviceController device;
    // Declared after the controller, so that they end before its port closes.
    std::unique_ptr<TransferJob> job;
    std::unique_ptr<QThread> query; // the version query
    Failure versionFailure;
    QString version;
};

class ManyRun {
  public:
    ManyRun(const Options &o, const QVector<FoundDevice> &devices, int blocks);
    RunSummary run();
    // The firmware question was not answered yes: no device was sent anything.
    bool declined() const { return declined_; }
    // The first stop signal that came during the run, or 0.
    int signal() const { return signals_ ? signals_->first() : 0; }

  private:
    Status prepare(Unit &u);
    bool confirmedForAll() const;
    void stopAll(int signalNumber);
    void start(Unit &u);
    void startQuery(Unit &u);
    void transferEnded(Unit &u, const TransferRecord &record);
    void queryEnded(Unit &u);
    void succeeded(Unit &u, const TransferRecord &record = {});
    void failed(Unit &u, const Status &status);
    void ended();

    const Options &o_;
    const QVector<FoundDevice> devices_;
    const int blocks_;
    std::vector<std::unique_ptr<Unit>> units_;
    ProgressBoard board_;
    // For the version queries, which run without a job.
    StopRequest queryStop_;
    // Taken once the devices are held and the firmware question is answered, before any
    // job's thread starts (the threads inherit the signals it holds pending): until then
    // Ctrl-C ends the program as it does any other.
    std::optional<StopOnSignals> signals_;
    // The file as noted once for every device: what the question shows is what each is sent.
    FileFacts source_;
    bool declined_ = false;
    int running_ = 0;
    QEventLoop loop_;
};

QStringList names(const QVector<FoundDevice> &devices, QString (*name)(const FoundDevice &))
{
    QStringList list;
    for (const FoundDevice &d : devices)
        list << name(d);
    return list;
}

Progress::Style boardStyle(const Options &o)
{
    // A version query is over before a board could show it.
    return o.command == Command::Version ? Progress::Style::Silent
                                         : Progress::styleFor(o.quiet, o.trace);
}

ManyRun::ManyRun(const Options &o, const QVector<FoundDevice> &devices, int blocks)
    : o_(o), devices_(devices), blocks_(blocks),
      board_(boardStyle(o), names(devices, deviceName), names(devices, serialOrPath))
{
    const QStringList saveAs = saveNames(devices);
    for (int i = 0; i < devices.size(); ++i) {
        auto u = std::make_unique<Unit>();
        u->row = i;
        u->result.device = devices[i];
        u->file = o.command == Command::Save ? QDir(o.file).filePath(saveAs[i]) : o.file;
        if (o.command != Command::Version)
            u->result.file = u->file;
        units_.push_back(std::move(u));
    }
}

RunSummary ManyRun::run()
{
    // Every device is held before any transfer starts, all on this thread: hidapi's
    // enumeration and open are not safe to call from several threads.
    for (auto &u : units_) {
        if (const Status refused = prepare(*u); !refused.ok())
            failed(*u, refused);
        else
            ++running_;
    }
    if (o_.command == Command::Firmware || o_.command == Command::Data)
        source_ = fileFacts(o_.file);
    if (o_.command == Command::Firmware && running_ > 0 && !confirmedForAll()) {
        declined_ = true;
        return {};
    }
    // Every job is made before the signals' watcher starts, which stops them all.
    for (auto &u : units_)
        u->job = std::make_unique<TransferJob>(kindOf(o_.command), nullptr);
    signals_.emplace([this](int signalNumber) { stopAll(signalNumber); });
    for (auto &u : units_) {
        if (u->device.port() && o_.command == Command::Version)
            startQuery(*u);
        else if (u->device.port())
            start(*u);
    }
    board_.draw();
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [this] { board_.draw(); });
    if (boardStyle(o_) == Progress::Style::Bar)
        ticks.start(kTickMs);
    if (running_ > 0)
        loop_.exec();
    board_.draw();
    RunSummary summary;
    for (const auto &u : units_)
        summary.devices << u->result;
    summary.signal = signal();
    return summary;
}

// The device's file is checked and the device is held, or it is refused on its own; with
// --record, its capture starts. A write is recorded with the version of what it wrote over.
Status ManyRun::prepare(Unit &u)
{
    if (o_.command == Command::Save) {
        if (Status refused = checkTarget(u.file, u.file, o_.force); !refused.ok())
            return refused;
    }
    u.device.record(deviceCapture(u.result.device, devices_));
    const Status claimed = claim(u.device, u.result.device);
    if (claimed.ok() && (o_.command == Command::Firmware || o_.command == Command::Data))
        u.device.queryVersion(u.version);
    return claimed;
}

// One question for the whole run, naming every device held, before any is sent anything.
bool ManyRun::confirmedForAll() const
{
    QStringList devices;
    for (const auto &u : units_) {
        if (u->device.port())
            devices << deviceLine(shownDevice(u->device.identity()), deviceText(u->version));
    }
    return confirmed(o_, firmwareQuestion(o_.file, source_, devices) +
                             Cli::tr("\n\nDo not unplug the devices or stop this program until "
                                     "every download is done."));
}

// On the signals' watcher's thread: every job's stop, and the version queries', is asked for
// at once; one that comes after a transfer's last block skips what follows it.
void ManyRun::stopAll(int signalNumber)
{
    queryStop_.requestFromSignal(signalNumber);
    for (const auto &u : units_)
        u->job->requestStopBySignal(signalNumber);
}

// Each device's transfer is one request, as a single device's, started and ended through
// its controller: a data download takes its backup first and verifies after, as the options
// and the window's settings say.
void ManyRun::start(Unit &u)
{
    const TransferKind kind = kindOf(o_.command);
    // The device's controller lives on this thread: the job's signals come here queued.
    QObject::connect(&u.device, &DeviceController::transferEnded, &u.device,
                     [this, &u](TransferJob *, const TransferRecord &r) { transferEnded(u, r); });
    // Silent, the counts would only wake this thread at every block of every device.
    if (boardStyle(o_) != Progress::Style::Silent)
        QObject::connect(u.job.get(), &TransferJob::blocksDone, &u.device,
                         [this, &u](TransferKind phase, int done, int blocks) {
                             board_.advance(u.row, phase, done, blocks);
                         });
    board_.begin(u.row, kind);
    TransferRequest request = requestFor(kind, u.file, o_);
    request.source = source_;
    if (const Failure refused = u.device.startTransfer(u.job.get(), request)) {
        failed(u, fail(refused, refusalMessage(refused, u.file)));
        ended();
    } else if (const int early = signals_->first()) {
        // The start clears the job's stop: one that came just before is asked for again.
        u.job->requestStopBySignal(early);
    }
}

void ManyRun::startQuery(Unit &u)
{
    u.query.reset(QThread::create(
        [this, &u] { u.versionFailure = u.device.queryVersion(u.version, &queryStop_); }));
    QObject::connect(u.query.get(), &QThread::finished, &u.device, [this, &u] { queryEnded(u); });
    u.query->start();
}

void ManyRun::transferEnded(Unit &u, const TransferRecord &record)
{
    tellHistoryProblem(record);
    addRecord(u.result, record);
    if (record.ok()) {
        board_.finish(u.row);
        succeeded(u, record);
    } else {
        failed(u, transferFailure(record.kind, u.file, record.outcome));
    }
    ended();
}

void ManyRun::queryEnded(Unit &u)
{
    const Status s = versionFailure(u.versionFailure, u.device);
    if (s.ok())
        succeeded(u);
    else
        failed(u, s);
    ended();
}

void ManyRun::succeeded(Unit &u, const TransferRecord &record)
{
    DeviceResult &r = u.result;
    switch (o_.command) {
    case Command::Version:
        r.version = u.version;
        r.result = deviceText(u.version);
        break;
    case Command::Save:
        r.result = savedResult(u.file);
        break;
    case Command::Verify:
        r.result = verifiedResult(u.file, blocks_);
        break;
    default:
        r.result = doneResult(record);
        if (!r.backup.isEmpty())
            r.result += QStringLiteral(", backup in \"%1\"").arg(fileNameText(r.backup));
        break;
    }
    board_.end(u.row, Cli::tr("done"));
}

void ManyRun::failed(Unit &u, const Status &status)
{
    const DeviceResult &r = u.result;
    u.result.status = status;
    const QString word = status.signal ? Cli::tr("stopped") : Cli::tr("failed");
    board_.end(u.row, r.block > 0 ? Cli::tr("%1 at block %2 of %3 (exit %4)")
                                        .arg(word)
                                        .arg(r.block)
                                        .arg(r.blocks)
                                        .arg(status.exitCode())
                                  : Cli::tr("%1 (exit %2)").arg(word).arg(status.exitCode()));
}

void ManyRun::ended()
{
    if (--running_ == 0)
        loop_.quit();
}

// The folder a save on several devices writes its files into.
Status checkFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return {};
    return fail(Exit::File, Cli::tr("\"%1\" is not a folder. With several devices, save writes "
                                    "one file per device into a folder: create it, or name "
                                    "another one.")
                                .arg(folder));
}

} // namespace

Status runOnMany(const Options &o)
{
    int blocks = kDataAreaBlocks;
    if (o.command == Command::Save) {
        if (Status s = checkFolder(o.file); !s.ok())
            return s;
    } else if (o.command != Command::Version) {
        if (Status s = checkSource(kindOf(o.command), o.file, &blocks); !s.ok())
            return s;
    }
    QVector<FoundDevice> devices;
    if (Status s = pickDevices(o, &devices); !s.ok())
        return s;
    ManyRun many(o, devices, blocks);
    RunSummary summary = many.run();
    if (many.declined())
        return declined();
    if (o.all)
        summary.notTaken = devicesNotTaken(o, devices);
    if (o.json)
        printDocument(summaryJson(summary));
    else
        printResult(summaryText(summary));
    return runStatus(summary);
}

} // namespace tarvenix::cli
