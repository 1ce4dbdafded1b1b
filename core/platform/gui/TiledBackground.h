#pragma once
// The main window's background: the picture tiled over the area, each tile the
// picture without its one-pixel border, as the original blitting did.

#include <QImage>
#include <QSize>

namespace zr50 {

// An image of the given size; a null picture (missing file) gives a null image.
QImage TileBackground(const QImage& picture, const QSize& area);

// Screen units: the program's stored geometry is in twips (1/1440 inch).
int TwipsToPixels(double twips, int logicalDpi);
double PixelsToTwips(int pixels, int logicalDpi);

}  // namespace zr50
