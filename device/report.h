#pragma once
// The 1024-byte device report: the only code that knows where each field sits.

#include <QString>
#include <array>
#include <cstdint>

namespace tarvenix {

constexpr int kReportSize = 1024;
constexpr int kBlockSize = 512;
constexpr int kDataAreaSize = 524288;
constexpr int kDataAreaBlocks = kDataAreaSize / kBlockSize;
// The offset field is 32 bits wide, so no block may start at or beyond 4 GiB.
constexpr qint64 kMaxOffsetFileSize = qint64(1) << 32;
// A read-out reply must reach past its block to be usable.
constexpr int kBlockReplyMinLength = 14 + kBlockSize;
constexpr int kVersionTextLength = 24;

using Report = std::array<std::uint8_t, kReportSize>;

// What a request addresses in the device, as its area code byte says.
enum class Area : std::uint8_t { Firmware = 0, Version = 3, Data = 4 };

void buildVersionQuery(Report &request);
// A firmware or data packet carrying one 512-byte block of a file.
void buildPacket(Report &request, Area area, quint32 block, const std::uint8_t *payload);
void buildReadOut(Report &request, quint32 block);

// The version reply carries its text at bytes 46 to 69, ended by the first zero.
QString versionText(const Report &reply);
// Whether a reply of `length` bytes holds the whole version text: it reaches past the text's
// 24 bytes, or a zero ends the text before the reply does.
bool versionTextWhole(const Report &reply, int length);
// A read-out reply carries its block at bytes 14 to 525.
const std::uint8_t *blockData(const Report &reply);
// Reply bytes 0 to 7 as the trace shows them: "1 2 3 4 5 6 7 8". A plain
// buffer, so that tracing every block allocates nothing.
struct TraceText {
    char text[8 * 4 + 1];
};
TraceText traceBytes(const Report &reply);

} // namespace tarvenix
