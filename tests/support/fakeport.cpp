#include "support/fakeport.h"

#include <algorithm>
#include <cstring>

bool FakePort::write(const tarvenix::Report &)
{
    ++writes;
    if (next_ >= script.size() || script[next_].writeFails) {
        ++next_;
        return false;
    }
    const Step &step = script[next_++];
    queued_.push_back(step.replyLength);
    if (step.stray)
        queued_.push_back(tarvenix::kReportSize);
    return true;
}

int FakePort::read(tarvenix::Report &report, int, tarvenix::ReadPurpose,
                   const tarvenix::StopRequest *)
{
    if (queued_.empty())
        return 0;
    const int n = std::min(queued_.front(), tarvenix::kReportSize);
    queued_.pop_front();
    if (n > 0)
        std::memcpy(report.data(), reply.data(), std::size_t(n));
    return n;
}
