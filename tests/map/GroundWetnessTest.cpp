// How wet the day's bare ground is, from today's and yesterday's weather.
#include <gtest/gtest.h>

#include <tuple>

#include "map/GroundWetness.h"

namespace {

TEST(GroundWetness, FollowsTodaysAndYesterdaysRain) {
  TMapaRecord record{};
  for (auto [today, yesterday, state] : {std::tuple{wtCloudy, wtRain, TGroundWetness::Dry},
                                         {wtHeavyRain, wtNone, TGroundWetness::Damp},
                                         {wtRain, wtHeavyRain, TGroundWetness::Soaked}}) {
    record.weather = today;
    record.weatherYesterday = yesterday;
    EXPECT_EQ(GroundWetnessOf(record), state) << int(today) << " after " << int(yesterday);
  }
}

}  // namespace
