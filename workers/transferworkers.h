#pragma once
// The three transfer workers, as the window knows them: each one the transfer job set up
// for its kind, passing the job's progress on under its own signal.

#include "transfer/transferjob.h"

class WorkerThreadForFW : public tarvenix::TransferJob {
    Q_OBJECT
  public:
    explicit WorkerThreadForFW(QObject *parent);
  signals:
    void sigRunUpdateFWProcess(int step);
};

class WorkerThreadForData : public tarvenix::TransferJob {
    Q_OBJECT
  public:
    explicit WorkerThreadForData(QObject *parent);
  signals:
    void sigRunUpdateDataProcess(int step);
};

class WorkerThreadForSaveData : public tarvenix::TransferJob {
    Q_OBJECT
  public:
    explicit WorkerThreadForSaveData(QObject *parent);
  signals:
    void sigRunUpdateSaveDataProcess(int step);
};
