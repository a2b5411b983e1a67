#include "shell/defines.h"

unsigned char TileSize = 0;
unsigned char ZoomSizes[6] = {};
unsigned char ZoomIndex = 0;
int ViewX = 0;
int ViewY = 0;
unsigned char GameSpeed = 0;
unsigned short TickCount = 0;
bool SoundOn = false;
bool MusicOn = false;
TMonthName MonthNames[13] = {};
TWordText WeekWord = {};
TWordText MonthWord = {};
TWordText PriceWord = {};
bool HighlightMarker = false;
bool MinimapOn = false;
bool LargeMapOn = false;
bool MouseNavigation = false;
bool DetailedTerrain = false;
bool SoundtrackOn = false;
bool DraftLines = false;
bool RememberChoices = false;
bool ProtectGame = false;

void ResetGameGlobals() {
  TileSize = 0;
  for (auto& z : ZoomSizes) z = 0;
  ZoomIndex = 0;
  ViewX = 0;
  ViewY = 0;
  GameSpeed = 0;
  TickCount = 0;
  SoundOn = false;
  MusicOn = false;
  for (auto& m : MonthNames) m = TMonthName{};
  WeekWord = TWordText{};
  MonthWord = TWordText{};
  PriceWord = TWordText{};
  HighlightMarker = false;
  MinimapOn = false;
  LargeMapOn = false;
  MouseNavigation = false;
  DetailedTerrain = false;
  SoundtrackOn = false;
  DraftLines = false;
  RememberChoices = false;
  ProtectGame = false;
}
