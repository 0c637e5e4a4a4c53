#include "model/melody.h"

#include <algorithm>

namespace talvex {

int ClampMelodyRange(int range)
{
    return std::clamp(range, 0, kMaxMelodyRange);
}

bool PitchButtonEnabled(int button, int range)
{
    if (button == kRestButton)
        return true;
    return button >= 1 && button <= kHighestPitchButton && button > range && button <= range + kPitchWindow;
}

std::string EncodeNoteCode(int button, int range, int durationIndex)
{
    static const char kHex[] = "0123456789ABCDEF";
    if (durationIndex < 0 || durationIndex >= kDurationCount)
        return {};
    int pitch = 0;
    if (button != kRestButton) {
        pitch = button - range;
        if (pitch < 1 || pitch > kPitchWindow)
            return {};
    }
    return std::string{kHex[pitch], kHex[durationIndex + 1]};
}

std::vector<std::string> SplitMelody(std::string_view content)
{
    std::vector<std::string> notes;
    notes.reserve(content.size() / 2);
    for (size_t k = 0; 2 * k + 2 <= content.size(); ++k)
        notes.emplace_back(content.substr(2 * k, 2));
    return notes;
}

std::string JoinMelody(const std::vector<std::string>& notes)
{
    std::string content;
    for (const std::string& note : notes)
        content += note;
    return content;
}

} // namespace talvex
