#pragma once
// Loading the assets at start-up: the package's pictures into the two image
// lists and its sounds into the wave list, at the fixed indices every later
// use takes them by, then the package forgotten.
#include <stdexcept>

class TDXImageList;
class TWaveCollection;
class TZolPackLoad;

// Start-up cannot go on: the package or one of its entries is missing or
// unreadable. The message names it.
class EStartupError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Where the package lies, relative to the working directory.
inline constexpr const char* PackagePath = "data/data.dpf";

// Fills `ground` (ground, houses and two pictures), `others` (weather icons
// and the three marker squares) and `waves` (eight sounds) from the package.
// Throws EStartupError naming the first entry it cannot read.
void LoadAssets(TZolPackLoad& package, TDXImageList& ground, TDXImageList& others, TWaveCollection& waves);
