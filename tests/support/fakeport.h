#pragma once
// An in-process stand-in for the device behind the seam, answering each write as its
// script says: for fast tests of the loop's logic (steps, stops, failures, out-of-step
// replies) and for the fuzz targets. Everything that concerns the real path (hidapi,
// hidraw, udev, the window) is proven against the emulated device instead.

#include "device/hidport.h"

#include <QByteArray>
#include <deque>
#include <vector>

class FakePort : public tarvenix::HidPort {
  public:
    // What the device does with one write.
    struct Step {
        bool writeFails = false;
        int replyLength = tarvenix::kReportSize; // what the read returns: -1 failure, 0 nothing
        bool stray = false; // a second report follows the reply, answering no request
    };

    // A device that answers `answers` writes in full, then takes no more.
    explicit FakePort(int answers = 0) : script(std::size_t(answers)) {}

    std::vector<Step> script; // one step a write; past its end every write fails
    tarvenix::Report reply{}; // the bytes every report carries, as far as its length goes
    // A data area, when given: data packets are stored in it and read-outs answered from
    // it, so that a whole transfer's phases can be followed.
    QByteArray area;
    QString error; // what errorText() says
    int writes = 0;

    bool write(const tarvenix::Report &request) override;
    // Like hidraw: a read copies at most its buffer and leaves the rest untouched. With
    // nothing queued it returns 0 at once, whatever the bound.
    int read(tarvenix::Report &report, int timeoutMs, tarvenix::ReadPurpose,
             const tarvenix::StopRequest *) override;
    QString errorText() const override { return error; }

  private:
    void useArea(const tarvenix::Report &request);

    std::size_t next_ = 0;
    std::deque<int> queued_; // the lengths of the reports waiting to be read
};
