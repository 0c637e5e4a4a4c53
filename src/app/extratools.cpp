#include "app/extratools.h"

namespace talvex {

namespace {

// The free stretches of the toolbar: 202..362, 426..474 and 538..618.
const ExtraToolSpot kSpots[] = {
    {ExtraTool::Undo, 210, "UndoButton", ":/toolbar/undo.svg"},
    {ExtraTool::Redo, 242, "RedoButton", ":/toolbar/redo.svg"},
    {ExtraTool::Check, 282, "CheckButton", ":/toolbar/check.svg"},
    {ExtraTool::Import, 314, "ImportButton", ":/toolbar/import.svg"},
    {ExtraTool::Simulate, 434, "SimulateButton", ":/toolbar/simulate.svg"},
    {ExtraTool::Export, 546, "ExportButton", ":/toolbar/export.svg"},
    {ExtraTool::Print, 578, "PrintButton", ":/toolbar/print.svg"},
};

} // namespace

const ExtraToolSpot& ExtraToolSpotOf(ExtraTool tool)
{
    for (const ExtraToolSpot& spot : kSpots) {
        if (spot.tool == tool)
            return spot;
    }
    return kSpots[0];
}

} // namespace talvex
