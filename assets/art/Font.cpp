#include "assets/art/Font.h"

#include <cctype>

namespace art {

namespace {

// Five rows of three bits per character, top row first.
struct TGlyph {
  char ch;
  unsigned char rows[5];
};

constexpr TGlyph Glyphs[] = {
    {'0', {7, 5, 5, 5, 7}}, {'1', {2, 6, 2, 2, 7}}, {'2', {7, 1, 7, 4, 7}}, {'3', {7, 1, 3, 1, 7}},
    {'4', {5, 5, 7, 1, 1}}, {'5', {7, 4, 7, 1, 7}}, {'6', {7, 4, 7, 5, 7}}, {'7', {7, 1, 2, 2, 2}},
    {'8', {7, 5, 7, 5, 7}}, {'9', {7, 5, 7, 1, 7}}, {'A', {2, 5, 7, 5, 5}}, {'B', {6, 5, 6, 5, 6}},
    {'C', {3, 4, 4, 4, 3}}, {'D', {6, 5, 5, 5, 6}}, {'E', {7, 4, 6, 4, 7}}, {'F', {7, 4, 6, 4, 4}},
    {'G', {3, 4, 5, 5, 3}}, {'H', {5, 5, 7, 5, 5}}, {'I', {7, 2, 2, 2, 7}}, {'J', {1, 1, 1, 5, 2}},
    {'K', {5, 5, 6, 5, 5}}, {'L', {4, 4, 4, 4, 7}}, {'M', {5, 7, 7, 5, 5}}, {'N', {6, 5, 5, 5, 5}},
    {'O', {2, 5, 5, 5, 2}}, {'P', {6, 5, 6, 4, 4}}, {'Q', {2, 5, 5, 6, 3}}, {'R', {6, 5, 6, 5, 5}},
    {'S', {3, 4, 2, 1, 6}}, {'T', {7, 2, 2, 2, 2}}, {'U', {5, 5, 5, 5, 7}}, {'V', {5, 5, 5, 5, 2}},
    {'W', {5, 5, 7, 7, 5}}, {'X', {5, 5, 2, 5, 5}}, {'Y', {5, 5, 2, 2, 2}}, {'Z', {7, 1, 2, 4, 7}},
    {'.', {0, 0, 0, 0, 2}}, {'-', {0, 0, 7, 0, 0}}, {'+', {0, 2, 7, 2, 0}}, {'$', {3, 6, 2, 3, 6}},
    {'/', {1, 1, 2, 4, 4}}, {':', {0, 2, 0, 2, 0}}, {'(', {1, 2, 2, 2, 1}}, {')', {4, 2, 2, 2, 4}},
    {' ', {0, 0, 0, 0, 0}},
};

const TGlyph* Find(char ch) {
  ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  for (const TGlyph& g : Glyphs)
    if (g.ch == ch) return &g;
  return nullptr;
}

}  // namespace

int TextWidth(const std::string& text, int scale) {
  return text.empty() ? 0 : static_cast<int>(text.size()) * 4 * scale - scale;
}

int DrawText(TCanvas& c, int x, int y, const std::string& text, TColour colour, int scale) {
  int cx = x;
  for (char ch : text) {
    if (const TGlyph* g = Find(ch))
      for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 3; ++col)
          if (g->rows[row] & (4 >> col)) c.FillRect(cx + col * scale, y + row * scale, scale, scale, colour);
    cx += 4 * scale;
  }
  return cx - x;
}

}  // namespace art
