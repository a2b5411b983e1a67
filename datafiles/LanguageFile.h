#pragma once
// Language files: 60 lines of Windows-1252 text, each line going to one fixed
// place (menu captions, the palette caption, button hints, the words of the
// date display). There are no keys: the line number is the meaning.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QString;

constexpr int LanguageLineCount = 60;

// Lines 1..60 as bytes, without their line ends; index 0 holds line 1.
using TLanguageLines = std::array<std::string, LanguageLineCount>;

// Line numbers (1-based) of the places a language file fills.
namespace LanguageLine {
constexpr int FirstMenuCaption = 1;   // lines 1..18: menus and their items, in menu-bar order
constexpr int LastMenuCaption = 18;
constexpr int PaletteCaption = 19;
constexpr int FirstPaletteHint = 20;  // lines 20..35: the palette buttons
constexpr int LastPaletteHint = 35;
constexpr int FirstToolbarHint = 36;  // lines 36..43: the eight toolbar buttons
constexpr int LastToolbarHint = 43;
constexpr int FirstMonthName = 44;    // lines 44..55: months 1..12
constexpr int WeekWord = 56;
constexpr int DateCaption = 57;
constexpr int MonthWord = 58;
constexpr int FundsCaption = 59;
constexpr int PriceWord = 60;
}  // namespace LanguageLine

// A palette hint that carries its tool's price: the line it comes from.
struct TPricedHint {
  int Line;
  std::int32_t Price;
};

// The priced palette hints in the order they are rebuilt after a load:
// BotTerra, BotPavimento, BotCerca, BotPorteira, BotAgua, BotComida,
// BotArvores, BotBulldoze, BotDuto, BotDutoS, BotPlant, BotSpray.
constexpr std::array<TPricedHint, 12> PricedHints = {{
    {24, 20}, {25, 30}, {26, 50}, {27, 75}, {31, 15}, {30, 100},
    {32, 10}, {33, 25}, {28, 80}, {29, 35}, {34, 120}, {35, 200},
}};
static_assert(PricedHints.size() == 12);

// Splits text bytes into at most `lineCount` lines: a line ends at a line
// feed (a carriage return just before it is not text), a carriage return not
// followed by a line feed is dropped, and byte 26 ends the text. Language
// files and their companion files share these rules.
std::vector<std::string> SplitTextLines(std::string_view bytes, int lineCount);

// The bytes of a text file as far as `lineCount` lines or byte 26 reach,
// however large the file is; nothing when it cannot be opened.
std::optional<std::string> ReadTextHead(const QString& path, int lineCount);

// The 60 lines of a language file's bytes; lines past 60 are ignored and
// lines the file lacks are empty.
TLanguageLines ParseLanguageLines(std::string_view bytes);

// Reads a language file; a file that cannot be opened gives 60 empty lines.
// Stops reading after line 60 or byte 26, however large the file is.
TLanguageLines ReadLanguageFile(const QString& path);

// Stores the month names and the three words of the lines in the game
// globals (cut at their capacity), then appends the price suffix
// " - " + PriceWord + ": $" + price to every priced hint of the lines.
// Returns the lines as the widgets take them.
TLanguageLines ApplyLanguageLines(TLanguageLines lines);

// One priced hint as the palette shows it, with the current PriceWord.
std::string PricedHintText(std::string_view hint, std::int32_t price);
