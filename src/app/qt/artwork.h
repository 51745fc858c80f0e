// The program's own artwork, drawn at run time so that no picture file has to be installed:
// a broadcast mark (a mast sending waves) on a blue tile.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tx3 {

// The logo at `sizePixels` × `sizePixels`.
QPixmap DrawLogo(int sizePixels);

// The window icon, the same mark at the usual icon sizes.
QIcon ProgramIcon();

}  // namespace tx3
