#pragma once
// The three transfer threads: thin shells that hand the window's path and
// device handle to the block loop and pass its progress on as signals.

#include "workers/blockloop.h"

#include <QThread>

class TransferWorker : public QThread {
    Q_OBJECT

  public:
    // The number of step codes emitted in the current run; the window sets it
    // to 0 before each start.
    int iLoopTemp = 0;

    // Asks a running transfer to stop before its next block, saying why.
    void requestStop(const QString &cause);
    // Forgets a stop asked of an earlier run; called before each start.
    void clearStop() { stop_.reset(); }
    // The reply bound the loop uses; tests may shorten it.
    void setReplyTimeout(int ms) { timeoutMs_ = ms; }
    // A save may replace an existing entry of its name: the user agreed to it.
    void setReplaceExisting(bool replace) { replaceExisting_ = replace; }

  signals:
    // A run that did not complete, with the whole text for the user.
    void sigTransferFailed(const QString &message);

  protected:
    TransferWorker(tarvenix::TransferKind kind, QObject *parent);
    void run() final;
    virtual QString filePath() const = 0;
    virtual void emitStep(int step) = 0;

  private:
    const tarvenix::TransferKind kind_;
    tarvenix::StopRequest stop_;
    int timeoutMs_ = tarvenix::kTransferReplyTimeoutMs;
    bool replaceExisting_ = false;
};

class WorkerThreadForFW : public TransferWorker {
    Q_OBJECT
  public:
    explicit WorkerThreadForFW(QObject *parent);
  signals:
    void sigRunUpdateFWProcess(int step);

  protected:
    QString filePath() const override;
    void emitStep(int step) override { emit sigRunUpdateFWProcess(step); }
};

class WorkerThreadForData : public TransferWorker {
    Q_OBJECT
  public:
    explicit WorkerThreadForData(QObject *parent);
  signals:
    void sigRunUpdateDataProcess(int step);

  protected:
    QString filePath() const override;
    void emitStep(int step) override { emit sigRunUpdateDataProcess(step); }
};

class WorkerThreadForSaveData : public TransferWorker {
    Q_OBJECT
  public:
    explicit WorkerThreadForSaveData(QObject *parent);
  signals:
    void sigRunUpdateSaveDataProcess(int step);

  protected:
    QString filePath() const override;
    void emitStep(int step) override { emit sigRunUpdateSaveDataProcess(step); }
};
