// The house, equipment, constructions and weather icons.
#include "assets/art/Ground.h"
#include "assets/art/JoinTables.h"
#include "assets/art/Paint.h"
#include "assets/art/Sheets.h"

namespace art {

TCanvas MakeCasas() { return TCanvas(48, 48, Rgb(0x808080)); }
TCanvas MakeEquip() { return TCanvas(96, 48, Rgb(0x808080)); }
TCanvas MakeConstru() { return TCanvas(96, 48, Rgb(0x808080)); }
TCanvas MakeStatus() { return TCanvas(120, 24, Rgb(0x808080)); }

}  // namespace art
