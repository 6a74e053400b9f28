// The pictures of the welcome and help windows, drawn by the program at the
// sizes the windows are laid out for.
#pragma once

#include <QImage>

QImage ProductLogo();   // 243 x 66: the program's mark and name
QImage MakerLogo();     // 109 x 32: the maker's striped mark and name
QImage ProgramIcon();   // 92 x 92: the program's mark alone
QImage PlayMosaic();    // 69 x 69: a mosaic of small photos with a play triangle
QImage SmallMosaic();   // 46 x 46: a smaller photo mosaic
