#include "assets/art/Glyphs.h"

#include <QtGlobal>

void InitGameGlyphs() { Q_INIT_RESOURCE(glyphs); }
