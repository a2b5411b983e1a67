#pragma once
#include "map/Tools.h"

// Tools another room works while it runs (the living ranch's economy): it
// judges them for the marker and works them in place of the map's tool
// table, and reads the land under the eye tool.
class IToolOwner {
 public:
  virtual ~IToolOwner() = default;
  virtual bool Owns(TToolKind tool) const = 0;
  virtual TToolVerdict Verdict(TToolKind tool, int x, int y) const = 0;
  // True when the tool acted; `newStroke`: the first tile of a press.
  virtual bool Act(TToolKind tool, int x, int y, bool newStroke) = 0;
  // The eye tool came onto a new tile of the map.
  virtual void Inspect(int x, int y) = 0;
};
