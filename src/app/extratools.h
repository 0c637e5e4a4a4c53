#pragma once

#include <QString>

namespace talvex {

// Commands beyond the original ten toolbar buttons. Each has a fixed spot in
// the toolbar's free space, so the ten specified buttons never move.
enum class ExtraTool { Undo, Redo, Check, Import, Simulate, Export, Print };

struct ExtraToolSpot {
    ExtraTool tool;
    int left;         // x of the button on the toolbar panel
    const char* name; // objectName of the button
    const char* icon; // resource path of its picture (SVG); the text alone when missing
};

// The spot of a command; every ExtraTool has one.
const ExtraToolSpot& ExtraToolSpotOf(ExtraTool tool);

} // namespace talvex
