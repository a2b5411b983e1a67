#pragma once
// The ranch economy's figures: every constant and table its rules read.
// Money is in the map's units (the record's funds); prices per arroba are in
// hundredths of a unit; weights in grams; forage in tenths of a kilogram;
// factors in thousandths (1000 = unchanged). docs/economy.md explains each.
#include <algorithm>
#include <array>
#include <cstdint>

#include "map/Mapa.h"
#include "map/Tools.h"

// Calendar of the map: 6-day weeks, 4-week months.
constexpr int EcoDaysPerMonth = 24;

// Goal.
constexpr std::int64_t GoalValue = 200000;
constexpr int GoalYear = 2009;

// Grass.
constexpr int GrassPerTileDay = 25;      // tenths of a kg a bare tile grows on an average day
constexpr int GrassCapPerTile = 1500;    // tenths of a kg: 150 kg standing at most
constexpr int GrassAtStart = 600;        // tenths of a kg standing on every walkable tile
constexpr int PlantedGrowth = 2000;      // planted tiles grow twice as much
constexpr int CoveredGrowth = 500;       // trees and scenery leave half the ground to grass

// Growth factor of the season, indexed by month - 1: a wet summer from
// October to March, the driest months June to August.
constexpr std::array<int, 12> SeasonGrowth = {
    1400,  // January
    1400,  // February
    1200,  // March
    800,   // April
    500,   // May
    200,   // June
    150,   // July
    200,   // August
    500,   // September
    1000,  // October
    1300,  // November
    1400,  // December
};
static_assert(SeasonGrowth.size() == 12);

// Growth factor of a day's weather, indexed by the weather code; growth
// takes the mean of today's and yesterday's. A code without a weather (99)
// counts as cloudy.
constexpr std::array<int, 5> WeatherGrowth = {
    700,   // wtSunny: the sun dries the grass
    900,   // wtPartlyCloudy
    1000,  // wtCloudy
    1300,  // wtRain
    1400,  // wtHeavyRain
};
static_assert(WeatherGrowth.size() == wtHeavyRain + 1);

// Cattle.
constexpr int ForagePerHeadDay = 120;      // tenths of a kg: 12 kg
constexpr int GainFed = 900;               // grams a day, fed and watered
constexpr int LossHungry = 1500;           // grams a day at no forage at all
constexpr int LossThirsty = 3000;          // grams a day without water
constexpr int LossSunNoShade = 300;        // grams on a sunny day without shade
constexpr int TilesPerShadeTree = 25;      // one tree or scenery tile per 25 tiles gives shade
constexpr int DryDaysBeforeLoss = 3;       // days without water before head are lost
constexpr int ThirstLossDivisor = 10;      // then a tenth of the head (at least one) a day
constexpr std::uint32_t StarvingWeight = 150000;  // grams: below this, head are lost
constexpr int StarvingLossDivisor = 20;    // a twentieth of the head (at least one) a day
constexpr std::uint32_t MinWeight = 120000;
constexpr std::uint32_t MaxWeight = 550000;
constexpr std::uint32_t CalfWeight = 180000;
constexpr std::uint32_t MaxHerdHead = 60000;
constexpr std::int64_t UpkeepPerHeadDay = 1;
constexpr std::int64_t FeedPerHeadDay = 3;  // bought feed for one head's whole ration

// Pests, in thousandths of full infestation.
constexpr int PestsMax = 1000;
constexpr int PestsDaily = 3;              // rise each day
constexpr int PestsStocking = 20;          // and this much per head per tile of stocking
constexpr int PestsGainCut = 2;            // full infestation halves the gain
constexpr int SprayDays = 3 * EcoDaysPerMonth;
constexpr std::int64_t SprayPrice = 200;   // once per pasture per drag
constexpr std::int64_t WaterTroughPrice = 15;
constexpr std::int64_t FeedTroughPrice = 100;
constexpr std::int64_t PlantPrice = 120;

// Books: every figure stays within this, so that any books the economy
// writes can be read again and no sum can overflow.
constexpr std::int64_t BooksLimit = 1'000'000'000'000'000;
inline void Book(std::int64_t& figure, std::int64_t amount) {
  figure = std::clamp(figure + amount, -BooksLimit, BooksLimit);
}

// Market: price per arroba (15 kg) in hundredths.
constexpr std::int64_t BasePrice = 5000;
constexpr std::int64_t GramsPerArroba = 15000;
constexpr int CalfPremium = 1100;
constexpr int WalkStart = 1000;
constexpr int WalkLow = 850;
constexpr int WalkHigh = 1150;
constexpr int WalkStep = 30;               // a month moves the walk by -30..+30
constexpr int DemandLow = 850;
constexpr int DemandPerHead = 1;           // each head sold lately takes this off demand
constexpr std::uint32_t SoldCap = 1'000'000;  // head sold counted at most, far past the demand's floor
constexpr int ForcedSaleDiscount = 250;    // a forced sale loses a quarter

// Season index of the price, indexed by month - 1: lowest in April and May,
// highest in October and November.
constexpr std::array<int, 12> SeasonPrice = {
    1010,  // January
    990,   // February
    960,   // March
    925,   // April
    920,   // May
    950,   // June
    980,   // July
    1010,  // August
    1040,  // September
    1075,  // October
    1080,  // November
    1050,  // December
};
static_assert(SeasonPrice.size() == 12);

// Transport shrink of a sale, indexed by TRoadAccess.
constexpr std::array<int, 3> TransportShrink = {
    80,  // no road to the edge
    50,  // a road that reaches the edge
    30,  // pavement all the way
};

// Bank.
constexpr std::int64_t LoanStep = 5000;
constexpr std::int64_t LoanMaxFloor = 10000;
constexpr std::int64_t RatePercent = 12;
constexpr int BankruptcyWarningMonth = 1;
constexpr int BankruptcySaleMonth = 2;
constexpr int BankruptcyLostMonth = 3;

// Tool price of what stands on a tile, indexed by TTileKind: the ranch's
// value counts half of it. A bridge is a dirt road, a crossing a dirt road
// and a duct.
constexpr std::array<std::int64_t, tkHouse + 1> BuiltPrice = {
    0,    // tkEmpty
    20,   // tkDirtRoad
    30,   // tkPavement
    0,    // tkScenery
    10,   // tkTree
    50,   // tkFence
    75,   // tkGate
    80,   // tkDuct
    35,   // tkDuctS
    0,    // tkWater
    20,   // tkBridge
    100,  // tkCrossing
    0,    // tkHouse
};
static_assert(BuiltPrice.size() == tkHouse + 1);
