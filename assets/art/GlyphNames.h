#pragma once
// The buttons that carry a glyph, and the glyph picture sizes.
#include <array>
#include <string_view>

namespace art {

constexpr int ToolbarGlyphSize = 28;
constexpr int PaletteGlyphSize = 24;
constexpr int IconSize = 64;
// The sizes the desktop's icon theme gets, each drawn at that size, and the
// icon's name there.
constexpr std::array<int, 7> IconSizes = {16, 24, 32, 48, 64, 128, 256};
constexpr std::string_view IconName = "zolvorn";
constexpr int OverviewWidth = 320, OverviewHeight = 240;

// The eight toolbar buttons of the main window, left to right.
constexpr std::array<std::string_view, 8> ToolbarButtons = {"BotBuy", "BotSell", "BotEval", "BotMapa",
                                                            "BotTempo", "BotBalanco", "BotBanco", "BotMercado"};
// The palette buttons that show a glyph, row by row.
constexpr std::array<std::string_view, 12> PaletteButtons = {
    "BotAproxima", "BotReduz", "BotMover", "BotVer", "BotPavimento", "BotTerra",
    "BotCerca", "BotPorteira", "BotDuto", "BotDutoS", "BotArvores", "BotBulldoze"};
// The ranch economy's palette buttons, row by row: their glyphs are made and
// compiled in, but the palette shows them only while the economy runs.
constexpr std::array<std::string_view, 4> EconomyPaletteButtons = {"BotComida", "BotAgua", "BotPlant", "BotSpray"};

}  // namespace art
