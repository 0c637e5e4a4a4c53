#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// The melody keyboard: buttons 1..22 ascend in pitch (low octave 1..7, middle
// 8..14, high 15..21, 22 the 1 above the high octave), button 23 is the rest.
// A range r (0..7) enables the fifteen buttons r+1..r+15; a pitch is written
// counted from the bottom of that window.
constexpr int kPitchButtonCount = 23;
constexpr int kRestButton = 23;
constexpr int kHighestPitchButton = 22;
constexpr int kPitchWindow = 15;
constexpr int kMaxMelodyRange = 7;
constexpr int kDurationCount = 8;

// A stored range outside 0..7 (only a damaged file holds one) is brought into it.
int ClampMelodyRange(int range);
// Whether pitch button b (1..22) is enabled in range r; the rest always is.
bool PitchButtonEnabled(int button, int range);
// The two-character note code, or an empty text when the button is not a
// pitch of the range's window or the duration index is not 0..7.
std::string EncodeNoteCode(int button, int range, int durationIndex);
// The melody string split into two-character notes; an odd last byte is dropped.
std::vector<std::string> SplitMelody(std::string_view content);
std::string JoinMelody(const std::vector<std::string>& notes);

} // namespace talvex
