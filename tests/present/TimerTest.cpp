// The frame timer's due rule, LagCount and activation, on a fake clock.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <vector>

#include "present/DXTimer.h"
#include "tests/present/PresentTestSupport.h"

namespace {

struct FakeClockTimer {
  FakeClockTimer() : timer(nullptr, [this] { return now; }) {
    TestApp();
    timer.OnTimer = [this](TDXTimer&, int lag) { lags.push_back(lag); };
    timer.ActiveOnly = false;
    timer.SetInterval(66);
    timer.SetEnabled(true);
  }
  std::uint32_t now = 1000;
  TDXTimer timer;
  std::vector<int> lags;
};

TEST(FrameTimer, CallsWhenAnIntervalHasPassedAndCountsTheLag) {
  FakeClockTimer f;
  f.now += 65;
  EXPECT_FALSE(f.timer.Poll());
  f.now += 1;
  EXPECT_TRUE(f.timer.Poll());
  EXPECT_FALSE(f.timer.Poll());
  f.now += 140;  // a slow frame: one call, LagCount 2, nothing made up
  EXPECT_TRUE(f.timer.Poll());
  f.now += 65;
  EXPECT_FALSE(f.timer.Poll());
  f.now += 1;
  EXPECT_TRUE(f.timer.Poll());
  EXPECT_EQ(f.lags, (std::vector<int>{1, 2, 1}));
}

TEST(FrameTimer, IntervalZeroCallsEveryPassWithTheElapsedMilliseconds) {
  FakeClockTimer f;
  f.timer.SetInterval(0);
  EXPECT_TRUE(f.timer.Poll());  // same millisecond: still a call, lag at least 1
  f.now += 5;
  EXPECT_TRUE(f.timer.Poll());
  f.timer.SetInterval(-10);
  f.now += 3;
  EXPECT_TRUE(f.timer.Poll());
  EXPECT_EQ(f.lags, (std::vector<int>{1, 5, 3}));
}

TEST(FrameTimer, TheClockMayWrapAround) {
  FakeClockTimer f;
  f.now = 0xFFFFFFF0u;
  f.timer.SetEnabled(true);
  f.now += 70;  // wraps past zero
  EXPECT_TRUE(f.timer.Poll());
  EXPECT_EQ(f.lags, (std::vector<int>{1}));
}

TEST(FrameTimer, StopsWhileInactiveAndResumesOneIntervalAfterActivation) {
  FakeClockTimer f;
  std::vector<std::string> events;
  f.timer.OnActivate = [&](TDXTimer&) { events.push_back("activate"); };
  f.timer.OnDeactivate = [&](TDXTimer&) { events.push_back("deactivate"); };
  f.timer.ActiveOnly = true;
  EXPECT_TRUE(f.timer.Waiting());
  f.timer.ApplicationActivated(false);
  EXPECT_FALSE(f.timer.Waiting());
  f.now += 5000;
  f.timer.ApplicationActivated(true);
  EXPECT_TRUE(f.timer.Waiting());
  f.now += 65;
  EXPECT_FALSE(f.timer.Poll());
  f.now += 1;
  EXPECT_TRUE(f.timer.Poll());
  EXPECT_EQ(f.lags, (std::vector<int>{1}));
  EXPECT_EQ(events, (std::vector<std::string>{"deactivate", "activate"}));
}

// A game is launched while its window is not yet on the screen; the window
// system activates it a moment later. The first call comes as soon as an
// interval has passed since the timer started, not one interval after that
// first activation; later activations still wait a whole interval.
TEST(FrameTimer, AFirstActivationCountsFromTheStartLaterOnesFromTheActivation) {
  TestApp();
  std::uint32_t now = 1000;
  bool active = false;
  std::vector<int> lags;
  TDXTimer timer(nullptr, [&] { return now; }, [&] { return active; });
  timer.OnTimer = [&](TDXTimer&, int lag) { lags.push_back(lag); };
  timer.SetInterval(66);
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Waiting());
  now += 40;
  active = true;
  timer.ApplicationActivated(true);
  EXPECT_TRUE(timer.Waiting());
  now += 25;
  EXPECT_FALSE(timer.Poll());
  now += 1;
  EXPECT_TRUE(timer.Poll());  // 66 ms after the start, 26 after the activation

  active = false;
  timer.ApplicationActivated(false);
  now += 500;
  active = true;
  timer.ApplicationActivated(true);
  now += 65;
  EXPECT_FALSE(timer.Poll());
  now += 1;
  EXPECT_TRUE(timer.Poll());

  // Stopped and started again while inactive: counted from the new start.
  active = false;
  timer.ApplicationActivated(false);
  timer.SetEnabled(false);
  now += 1000;
  timer.SetEnabled(true);
  now += 200;
  active = true;
  timer.ApplicationActivated(true);
  EXPECT_TRUE(timer.Poll());
  EXPECT_EQ(lags, (std::vector<int>{1, 1, 3}));
}

TEST(FrameTimer, DisabledTimersStayStoppedThroughActivation) {
  FakeClockTimer f;
  f.timer.ActiveOnly = true;
  f.timer.SetEnabled(false);
  EXPECT_FALSE(f.timer.Waiting());
  f.timer.ApplicationActivated(true);
  EXPECT_FALSE(f.timer.Waiting());
  f.timer.SetEnabled(true);
  f.timer.ApplicationActivated(true);
  EXPECT_TRUE(f.timer.Waiting());
}

TEST(FrameTimer, TheEventLoopDeliversCallsNoSoonerThanTheInterval) {
  TestApp();
  QElapsedTimer elapsed;
  elapsed.start();
  std::vector<std::uint32_t> calls;
  TDXTimer timer(nullptr, [&] { return static_cast<std::uint32_t>(elapsed.elapsed()); });
  timer.ActiveOnly = false;
  timer.SetInterval(15);
  timer.OnTimer = [&](TDXTimer& sender, int) {
    calls.push_back(static_cast<std::uint32_t>(elapsed.elapsed()));
    if (calls.size() == 4) sender.SetEnabled(false);
  };
  QTRY_COMPARE_WITH_TIMEOUT(calls.size(), std::size_t{4}, 10000);
  for (std::size_t i = 1; i < calls.size(); ++i) EXPECT_GE(calls[i] - calls[i - 1], 15u);
  EXPECT_FALSE(timer.Waiting());
}

}  // namespace
