// Duration and position as hours:minutes:seconds text.
#include "VMR9Graph.h"

#include <cstdint>
#include <cstdio>

namespace {
constexpr REFERENCE_TIME kUnitsPerSecond = 10000000;

// Minutes and seconds get a leading zero only below 10.
void FormatTwoDigitField(char* field, size_t size, long value)
{
    snprintf(field, size, value < 10 ? "0%ld" : "%ld", value);
}
}  // namespace

std::string CVMR9Graph::TimeText(REFERENCE_TIME mediaTime)
{
    const LONGLONG seconds = mediaTime / kUnitsPerSecond;
    const long hours = static_cast<long>(seconds / 3600);
    // The remainder is taken on the low 32 bits, wrapping as 32-bit arithmetic does.
    const long rest = static_cast<int32_t>(static_cast<uint32_t>(seconds) - static_cast<uint32_t>(hours) * 3600u);
    const long minutes = rest / 60;
    const long secondsField = rest - minutes * 60;

    char hoursText[16], minutesText[16], secondsText[16];
    snprintf(hoursText, sizeof hoursText, "0%ld", hours);
    FormatTwoDigitField(minutesText, sizeof minutesText, minutes);
    FormatTwoDigitField(secondsText, sizeof secondsText, secondsField);
    char text[64];
    snprintf(text, sizeof text, "%s:%s:%s", hoursText, minutesText, secondsText);
    return text;
}

std::string CVMR9Graph::GetDurationHHMMSS()
{
    EngineGuard guard(engineLock);
    REFERENCE_TIME duration = 0;
    if (!mediaSeeking || FAILED(mediaSeeking->GetDuration(&duration)))
        return "";
    return TimeText(duration);
}

std::string CVMR9Graph::GetPositionHHMMSS()
{
    EngineGuard guard(engineLock);
    REFERENCE_TIME duration = 0, position = 0;
    if (!ReadDurationAndPosition(duration, position))
        return "";
    return TimeText(ReportedPosition(duration, position));
}
