#include "support/fakeport.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the device report carries what the fake's data area needs: the operation, the
// area code, the offset and a packet's payload; a read-out's block goes back at byte 14.
bool stores(const tarvenix::Report &r)
{
    return r[3] == 0x00 && r[4] == 0x01;
}

int offsetOf(const tarvenix::Report &r)
{
    return r[11] | r[12] << 8 | r[13] << 16 | r[14] << 24;
}

} // namespace

void FakePort::useArea(const tarvenix::Report &request)
{
    if (area.isEmpty() || request[7] != std::uint8_t(tarvenix::Area::Data))
        return;
    const int offset = offsetOf(request);
    if (stores(request))
        std::memcpy(area.data() + offset, request.data() + 15, tarvenix::kBlockSize);
    else
        std::memcpy(reply.data() + 14, area.constData() + offset, tarvenix::kBlockSize);
}

bool FakePort::write(const tarvenix::Report &request)
{
    ++writes;
    useArea(request);
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
