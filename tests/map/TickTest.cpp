// The daily step: calendar, date text, forecast, moisture and sounds.
#include <gtest/gtest.h>

#include <cstring>

#include "MapTestSupport.h"
#include "map/Mapa.h"
#include "shell/defines.h"

namespace {

class TickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGameGlobals();
    GameSpeed = 4;
    WeekWord.Assign("Semana", 6);
    MonthWord.Assign("de", 2);
    const char* names[] = {"Janeiro", "Fevereiro", "Mar\xE7o", "Abril", "Maio", "Junho",
                           "Julho", "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"};
    for (int m = 1; m <= 12; ++m) {
      MonthNames[m].Assign(names[m - 1], static_cast<int>(std::strlen(names[m - 1])));
    }
    RandomSeed(2024);
  }
  void TearDown() override { ResetGameGlobals(); }

  // Makes tomorrow's weather `weather` (the forecast moves up one slot a day).
  void WeatherTomorrow(std::uint8_t weather) {
    map.Record().weather = wtCloudy;
    map.Record().forecast[1] = weather;
  }

  TRecordingHost host;
  TMapa map{&host};
};

TEST_F(TickTest, CalendarRollsOverWeeksMonthsAndYears) {
  auto& r = map.Record();
  r.day = 6;
  r.week = 4;
  r.month = 12;
  r.year = 2004;
  map.Tick(1);
  EXPECT_EQ(r.day, 1);
  EXPECT_EQ(r.week, 1);
  EXPECT_EQ(r.month, 1);
  EXPECT_EQ(r.year, 2005);
  EXPECT_EQ(host.Matching("date").back(), "date Semana 1 de Janeiro, 2005");

  map.Tick(255);
  map.Tick(33);  // 288 days: one year
  EXPECT_EQ(r.day, 1);
  EXPECT_EQ(r.week, 1);
  EXPECT_EQ(r.month, 1);
  EXPECT_EQ(r.year, 2006);

  r.day = 6;
  r.week = 2;
  r.month = 3;
  map.Tick(1);
  EXPECT_EQ(host.Matching("date").back(), "date Semana 3 de Mar\xE7o, 2006");
}

TEST_F(TickTest, LoadedCalendarOutOfRangeIsSafeAndComesBack) {
  auto& r = map.Record();
  r.day = 1;
  r.week = 1;
  r.month = 200;
  map.Tick(1);
  EXPECT_EQ(host.Matching("date").back(), "date Semana 1 de , 2004");
  r.day = 6;
  r.week = 4;
  map.Tick(1);
  EXPECT_EQ(r.month, 1);
  EXPECT_EQ(r.year, 2005);
  r.day = 90;
  map.Tick(1);
  EXPECT_EQ(r.day, 1);
  EXPECT_EQ(r.week, 2);
}

TEST_F(TickTest, TwoDaysAtOnceWriteDateAndStripTwice) {
  GameSpeed = 1;
  host.calls.clear();
  map.Tick(2);
  const auto dates = host.Matching("date");
  ASSERT_EQ(dates.size(), 2U);
  EXPECT_EQ(dates[1], "date Semana 1 de Janeiro, 2004");
  EXPECT_EQ(host.Matching("line").size(), 16U);
}

TEST_F(TickTest, MoistureFollowsTheWeatherWithinItsRange) {
  auto& r = map.Record();
  r.moisture = 253;
  WeatherTomorrow(wtHeavyRain);
  map.Tick(1);
  EXPECT_EQ(r.moisture, 255);
  r.moisture = 4;
  WeatherTomorrow(wtSunny);
  map.Tick(1);
  EXPECT_EQ(r.moisture, 0);
  r.moisture = 100;
  WeatherTomorrow(wtRain);
  map.Tick(1);
  EXPECT_EQ(r.moisture, 104);
  WeatherTomorrow(wtPartlyCloudy);
  map.Tick(1);
  EXPECT_EQ(r.moisture, 101);
  WeatherTomorrow(wtCloudy);
  map.Tick(1);
  EXPECT_EQ(r.moisture, 101);
  WeatherTomorrow(77);  // a stray code from a loaded file
  map.Tick(1);
  EXPECT_EQ(r.weather, 77);
  EXPECT_EQ(r.moisture, 101);
}

TEST_F(TickTest, ForecastKeepsItsShapeDayAfterDay) {
  auto& r = map.Record();
  map.AdvanceForecast();  // as at start-up: nothing rolled yet
  EXPECT_EQ(r.weather, wtNone);
  EXPECT_TRUE(host.Matching("cell").empty());
  EXPECT_EQ(host.Matching("line").size(), 8U);
  EXPECT_EQ(host.Matching("line").front(), "line 1 1 5 1");

  std::uint8_t previous = r.weather;
  for (int day = 0; day < 500; ++day) {
    std::uint8_t before[5];
    std::memcpy(before, r.forecast, 5);
    host.calls.clear();
    map.Tick(1);
    EXPECT_EQ(r.forecast[0], r.weather);
    EXPECT_EQ(r.forecast[3], r.forecast[4]);
    for (auto slot : r.forecast) EXPECT_LE(slot, 4);
    if (day > 0) {
      EXPECT_EQ(r.weatherYesterday, previous);
      // Yesterday's later slots moved up by one.
      EXPECT_EQ(r.forecast[0], before[1]);
      EXPECT_EQ(r.forecast[1], before[2]);
      EXPECT_EQ(r.forecast[2], before[3]);
    }
    const auto cells = host.Matching("cell");
    ASSERT_EQ(cells.size(), 3U);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(cells[i], "cell " + std::to_string(i) + " " + std::to_string(r.forecast[i]));
    }
    previous = r.weather;
  }
}

TEST_F(TickTest, FixedSeedPinsTheWeather) {
  map.AdvanceForecast();
  map.Tick(10);
  const std::uint8_t* f = map.Record().forecast;
  const std::string got = std::to_string(map.Record().weather) + " " + std::to_string(f[0]) +
                          std::to_string(f[1]) + std::to_string(f[2]) + std::to_string(f[3]) +
                          std::to_string(f[4]) + " " + std::to_string(map.Record().moisture);
  EXPECT_EQ(got, "3 31433 145");
}

TEST_F(TickTest, AmbientSoundsOnlyWhenAllowed) {
  SoundOn = true;
  map.AdvanceForecast();
  std::vector<std::string> waves;
  int heavyRainDays = 0;
  int fineDays = 0;
  for (int day = 0; day < 400; ++day) {
    host.calls.clear();
    map.Tick(1);
    const auto played = host.Matching("wave");
    const std::uint8_t today = map.Record().weather;
    heavyRainDays += today == wtHeavyRain;
    fineDays += today <= wtPartlyCloudy;
    ASSERT_LE(played.size(), 1U);
    if (played.empty()) continue;
    if (today == wtHeavyRain) {
      EXPECT_EQ(played[0], "wave 7");
    } else {
      ASSERT_LE(today, wtPartlyCloudy);
      EXPECT_TRUE(played[0] == "wave 4" || played[0] == "wave 5" || played[0] == "wave 6");
    }
    waves.push_back(played[0]);
  }
  // About one fine day in four has birds, one heavy rain in three the rain.
  EXPECT_GT(waves.size(), static_cast<std::size_t>((fineDays / 4 + heavyRainDays / 3) / 2));

  for (std::uint8_t speed : {1, 2}) {
    GameSpeed = speed;
    host.calls.clear();
    for (int day = 0; day < 200; ++day) map.Tick(1);
    EXPECT_TRUE(host.Matching("wave").empty()) << int{speed};
  }
}

TEST_F(TickTest, SilentDaysDrawOnlyTheForecast) {
  map.AdvanceForecast();
  map.Tick(1);  // the whole forecast is rolled now
  for (std::uint64_t seed = 1; seed <= 50; ++seed) {
    SoundOn = false;
    RandomSeed(seed);
    RandomInt(5);
    const int expected = RandomInt(1000000);
    RandomSeed(seed);
    map.Tick(1);
    EXPECT_EQ(RandomInt(1000000), expected);
  }
  EXPECT_TRUE(host.Matching("wave").empty());
}

TEST_F(TickTest, GamesWithAndWithoutAHostStayInStep) {
  SoundOn = true;
  TMapa silent;
  silent.Record() = map.Record();
  RandomSeed(9);
  map.Tick(200);
  const auto withHost = Bytes(map);
  const int nextWithHost = RandomInt(1000000);
  RandomSeed(9);
  silent.Tick(200);
  EXPECT_EQ(Bytes(silent), withHost);
  EXPECT_EQ(RandomInt(1000000), nextWithHost);
}

// With sounds on, the draws for the ambient sounds depend on tomorrow's
// weather and, for the bird's picture only, on the speed; at speeds 1 and 2
// the chance draws are still made but nothing plays.
TEST_F(TickTest, AmbientDrawsFollowTheWeatherAtEverySpeed) {
  SoundOn = true;
  map.AdvanceForecast();
  map.Tick(1);
  for (std::uint8_t speed : {1, 2, 4}) {
    for (std::uint8_t weather = wtSunny; weather <= wtHeavyRain; ++weather) {
      for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(std::to_string(speed) + " " + std::to_string(weather) + " " + std::to_string(seed));
        GameSpeed = speed;
        map.Record().forecast[1] = weather;
        const bool allowed = speed > 2;
        RandomSeed(seed);
        RandomInt(5);  // the new fifth day of the forecast
        std::vector<std::string> waves;
        if (weather <= wtPartlyCloudy) {
          if (RandomInt(4) == 2 && allowed) waves.push_back("wave " + std::to_string(4 + RandomInt(3)));
        } else if (weather == wtHeavyRain) {
          if (RandomInt(3) == 0 && allowed) waves.push_back("wave 7");
        }
        const int expected = RandomInt(1000000);

        RandomSeed(seed);
        host.calls.clear();
        map.Tick(1);
        EXPECT_EQ(map.Record().weather, weather);
        EXPECT_EQ(host.Matching("wave"), waves);
        EXPECT_EQ(RandomInt(1000000), expected);
      }
    }
  }
}

}  // namespace
