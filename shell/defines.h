#pragma once
// The game's shared state: plain process-wide globals of fixed width that the
// map view, the palette, the map object and the commands read and write
// directly. Nothing here is saved with the game. This header includes nothing
// so that every layer may read it.

// A text with a fixed byte capacity; a longer value is cut when stored.
// Bytes are Windows-1252, as everywhere inside the game.
template <int Capacity>
struct TShortText {
  unsigned char Length = 0;
  char Text[Capacity] = {};

  void Assign(const char* bytes, int count) {
    if (count < 0) count = 0;
    if (count > Capacity) count = Capacity;
    for (int i = 0; i < count; ++i) Text[i] = bytes[i];
    Length = static_cast<unsigned char>(count);
  }
  void Clear() { Length = 0; }
  static constexpr int capacity() { return Capacity; }
};

using TMonthName = TShortText<20>;
using TWordText = TShortText<30>;

extern unsigned char TileSize;        // pixels per tile side (12..48)
extern unsigned char ZoomSizes[6];    // indexed 1..5: 12, 16, 24, 36, 48; [0] unused
extern unsigned char ZoomIndex;       // 1..5
extern int ViewX;                     // scroll origin in tiles (32-bit signed)
extern int ViewY;
extern unsigned char GameSpeed;       // 1 "Ultra" .. 6 "Parado"
extern unsigned short TickCount;      // frames since the last simulation step
extern bool SoundOn;
extern bool MusicOn;
extern TMonthName MonthNames[13];     // indexed 1..12; [0] unused
extern TWordText WeekWord;
extern TWordText MonthWord;
extern TWordText PriceWord;

// Options of the Extras menu: off at the start of every run, so that the game
// unchanged by them is the default.
extern bool HighlightMarker;   // the hover marker gets a contrasting outline
extern bool MinimapOn;         // the overview window draws the ranch
extern bool LargeMapOn;        // the map view fills the main window
extern bool MouseNavigation;   // wheel zoom and middle-button panning
extern bool DetailedTerrain;   // weather-following ground under features, bridge and bank details
extern bool SoundtrackOn;      // the looping tune under the effects
extern bool DraftLines;        // a linear tool's drag is shown with its price and built on release
extern bool RememberChoices;   // the choices are restored and kept in the player's config folder
extern bool ProtectGame;       // autosave, and a question before unsaved work is lost

// Puts every global back to zero, as before start-up. For tests.
void ResetGameGlobals();
