#include "transfer/transferrun.h"

#include "platform/keepawake.h"
#include "userfiles/backups.h"

#include <QFileInfo>

namespace tarvenix {

namespace {

int blocksOf(TransferKind phase, const QString &file)
{
    if (phase == TransferKind::Save)
        return kDataAreaBlocks;
    return int(QFileInfo(file).size() / kBlockSize);
}

} // namespace

QVector<TransferRun::Phase> TransferRun::phases() const
{
    const TransferRequest &r = request_;
    if (r.kind != TransferKind::Data)
        return {{r.kind, r.file}};
    QVector<Phase> all;
    if (r.backup)
        all.append({TransferKind::Save, r.backupFile});
    all.append({TransferKind::Data, r.file});
    if (r.verify)
        all.append({TransferKind::Verify, r.file});
    return all;
}

int TransferRun::exchanges() const
{
    int all = 0;
    for (const Phase &phase : phases())
        all += blocksOf(phase.kind, phase.file);
    return all;
}

BlockLoop TransferRun::phaseLoop(const Phase &phase, int before, int inAll, bool last) const
{
    BlockLoop loop(phase.kind, *request_.port, phase.file);
    loop.setReplyTimeout(timeoutMs_);
    loop.setStopRequest(stop_);
    loop.setDevicePath(request_.devicePath);
    // Only the user's own save may replace a file; a backup never does.
    loop.setReplaceExisting(request_.replaceExisting && phase.kind == request_.kind);
    if (phase.kind != TransferKind::Save)
        loop.setSource(request_.source);
    loop.setStepHandler(onStep_);
    loop.setBlockHandler(onBlock_);
    loop.setSpan(before, inAll, last);
    return loop;
}

// The outcome is the last phase's, with what the transfer's own phase sent.
TransferOutcome TransferRun::runPhases(const QVector<Phase> &phases)
{
    const int inAll = exchanges();
    int before = 0;
    TransferOutcome outcome;
    FileFacts sent;
    for (int i = 0; i < phases.size(); ++i) {
        const Phase &phase = phases[i];
        outcome = phaseLoop(phase, before, inAll, i == phases.size() - 1).run();
        if (phase.kind == request_.kind)
            sent = outcome.sent;
        if (!outcome.ok())
            break;
        if (phase.kind == TransferKind::Save && request_.kind == TransferKind::Data)
            noteBackupTaken(request_.deviceKey, phase.file);
        before += outcome.blocks;
    }
    outcome.sent = sent;
    return outcome;
}

// After a data download: a success is noted, then the device's backups are pruned, after a
// failure too, never the one just taken.
void TransferRun::keepBackups(const TransferOutcome &outcome, const QDateTime &started) const
{
    if (outcome.ok())
        noteSuccessfulDownload(request_.deviceKey, started);
    pruneBackups(request_.deviceKey, outcome.backupTaken() ? outcome.backupFile : QString());
}

TransferOutcome TransferRun::run()
{
    const KeepAwake awake(kindName(request_.kind) + QStringLiteral(": ") +
                          QFileInfo(request_.file).fileName());
    const QDateTime started = QDateTime::currentDateTimeUtc();
    const bool data = request_.kind == TransferKind::Data;
    TransferOutcome outcome = runPhases(phases());
    outcome.backupFile = data && request_.backup ? request_.backupFile : QString();
    if (data)
        keepBackups(outcome, started);
    return outcome;
}

} // namespace tarvenix
