#include "report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tarvenix {

namespace {

constexpr int kOperation = 3;
constexpr int kLength = 5;
constexpr int kArea = 7;
constexpr int kConstant = 10;
constexpr int kOffset = 11;
constexpr int kPayload = 15;
constexpr int kBlockReplyData = 14;
constexpr int kVersionReplyText = 46;

constexpr std::uint8_t kFetch[2] = {0x01, 0x02};
constexpr std::uint8_t kStore[2] = {0x00, 0x01};
// The length field counts from the area code to the end of the payload.
constexpr quint16 kLengthNoPayload = 8;
constexpr quint16 kLengthWithPayload = 8 + kBlockSize;

void putLe(Report &r, int at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        r[at + i] = std::uint8_t(value >> (8 * i));
}

void frame(Report &r, const std::uint8_t (&operation)[2], quint16 length, Area area, quint32 offset)
{
    r.fill(0);
    r[kOperation] = operation[0];
    r[kOperation + 1] = operation[1];
    putLe(r, kLength, length, 2);
    r[kArea] = std::uint8_t(area);
    r[kConstant] = 0x02;
    putLe(r, kOffset, offset, 4);
}

} // namespace

void buildVersionQuery(Report &request)
{
    frame(request, kFetch, kLengthNoPayload, Area::Version, 0);
}

void buildPacket(Report &request, Area area, quint32 block, const std::uint8_t *payload)
{
    frame(request, kStore, kLengthWithPayload, area, block * kBlockSize);
    std::memcpy(request.data() + kPayload, payload, kBlockSize);
}

void buildReadOut(Report &request, quint32 block)
{
    frame(request, kFetch, kLengthNoPayload, Area::Data, block * kBlockSize);
}

QString versionText(const Report &reply)
{
    const auto *begin = reinterpret_cast<const char *>(reply.data()) + kVersionReplyText;
    const auto *end = std::find(begin, begin + kVersionTextLength, '\0');
    return QString::fromUtf8(begin, int(end - begin));
}

bool versionTextWhole(const Report &reply, int length)
{
    if (length >= kVersionReplyText + kVersionTextLength)
        return true;
    const auto *begin = reply.data() + kVersionReplyText;
    return length > kVersionReplyText &&
           std::find(begin, reply.data() + length, 0) != reply.data() + length;
}

const std::uint8_t *blockData(const Report &reply)
{
    return reply.data() + kBlockReplyData;
}

TraceText traceBytes(const Report &reply)
{
    TraceText t;
    std::snprintf(t.text, sizeof t.text, "%u %u %u %u %u %u %u %u", reply[0], reply[1], reply[2],
                  reply[3], reply[4], reply[5], reply[6], reply[7]);
    return t;
}

} // namespace tarvenix
