#pragma once

#include <QFont>
#include <QStringList>

namespace talvex {

// The one list of faces for Chinese text: "宋体" (and its Windows names) where
// it exists; elsewhere a Song-style face of the same design (AR PL UMing,
// Debian's fonts-arphic-uming) before any other CJK face.
const QStringList& SongFamilies();

// The faces of the main window's small Latin text, the Song faces behind them.
QStringList WindowFamilies();

// A Song font of the given pixel height.
QFont SongFont(int pixelSize, bool bold = false);

} // namespace talvex
