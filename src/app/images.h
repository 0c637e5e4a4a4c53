#pragma once

#include <QPixmap>

namespace talvex {

constexpr int kPaletteImageCount = 35;
constexpr int kPaletteImageSize = 38;
constexpr int kToolbarButtonCount = 10;

// Registers the pictures compiled into the widget library. Safe to call more
// than once; everything below calls it.
void InitImageResources();

// ImageList1: the palette icon at index 0..34, 38 x 38; a null pixmap outside.
QPixmap PaletteImage(int index);
// The picture of SpeedButton<n> (1..10) at the given size; null outside.
QPixmap ToolbarImage(int button, const QSize& size);

} // namespace talvex
