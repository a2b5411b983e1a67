#pragma once
// Ranches for the economy tests: hand-made maps with fenced boxes, and a
// generated map with a pasture built by the palette's tools beside a duct
// from the river.
#include <cstdint>

#include "economy/Economy.h"
#include "economy/RanchTool.h"
#include "map/Mapa.h"

struct TEcoRanch {
  TMapa map;
  TEconomy eco;

  // A tool on one tile, the economy included.
  TToolOutcome Use(TToolKind tool, int x, int y) { return UseRanchTool(map, &eco, tool, x, y); }
  // Days as `zolmap tick` runs them: the map's day, then the economy's.
  void Days(int count);
  const TPasture& PastureAt(int x, int y) const;
};

// Fence along the border of the box x0..x1, y0..y1, without the economy.
void FenceBox(TMapa& map, int x0, int y0, int x1, int y1);

// A blank map (open water ring, everything else bare ground) with a fenced
// box 20..29 x 20..29 around the 64 tiles 21..28 x 21..28, a gate at
// (24, 29) when `gate`, and a pond at (28, 28) that waters the pasture when
// `pond`. The economy is started.
void MakeBoxRanch(TEcoRanch& ranch, bool gate = true, bool pond = true);

// Where the river pasture is on a generated map.
struct TRiverSite {
  int duct;      // row of the duct line from the river; the pasture lies below it
  int bank;      // first column east of the river on that row
  int x0, x1;    // the pasture's columns
  int y0, y1;    // the pasture's rows
  int troughX;   // the water trough's tile, beside the duct
  int troughY;
};

// A generated map (seed 3, the first seed from there whose river runs north
// to south with room beside it) with a pasture fenced on three sides, the
// duct line from the river its fourth, a gate in the south fence and, when
// `trough`, a water trough beside the duct. The economy is started before
// the trough is placed.
TRiverSite MakeRiverRanch(TEcoRanch& ranch, bool trough);
