#pragma once

// Race-detector builds of our programs ignore what Qt itself allocates,
// frees and locks: Qt is not built with the detector, so its futex-based
// mutexes and wait conditions are invisible to it, and the hand-over of posted
// events or the end of a QThread looks unordered. Everything our own code does
// is still checked. QtGui and QtWidgets draw offscreen with their own thread
// pool, synchronised the same invisible way.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n";
}
#endif
