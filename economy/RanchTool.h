#pragma once
// A palette tool used on one tile as the map view uses it with the button
// held, the ranch economy included when one runs: the economy's four tools
// go to the economy; the map's tools act and charge as always, and then the
// economy books their price as building and finds its pastures again.
#include "economy/Economy.h"
#include "map/Mapa.h"
#include "map/Tools.h"

enum class TToolOutcome : std::uint8_t { Refused, Failed, Applied };

// `eco` may be null: no economy runs, and the map's tool table alone decides.
TToolOutcome UseRanchTool(TMapa& map, TEconomy* eco, TToolKind tool, int x, int y);
