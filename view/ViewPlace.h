#pragma once
// Where the map view window stands and how large it may grow.

// Largest outer size of the view window.
inline constexpr int MapViewMaxWidth = 657;
inline constexpr int MapViewMaxHeight = 524;
// Where the view stands in the main window's document area, right of the
// palette: at start-up, and with "Mapa grande".
inline constexpr int MapViewLeft = 86;
