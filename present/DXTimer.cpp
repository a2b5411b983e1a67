#include "present/DXTimer.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>

struct TDXTimer::Impl {
  TClock clock;
  TActivity active;
  QTimer shot;            // single-shot, aimed at the next due moment
  int interval = 1000;
  bool enabled = true;
  bool running = false;
  bool installed = false;  // running and not suspended for inactivity
  std::uint32_t last = 0;
  std::uint32_t started = 0;         // when the timer last started running
  bool waitingSinceStart = false;    // started while inactive, not yet installed since

  std::uint32_t Threshold() const { return static_cast<std::uint32_t>(std::max(interval, 0)); }
  std::uint32_t Divisor() const { return static_cast<std::uint32_t>(std::max(interval, 1)); }
};

namespace {

TDXTimer::TClock SteadyClock() {
  auto elapsed = std::make_shared<QElapsedTimer>();
  elapsed->start();
  return [elapsed] { return static_cast<std::uint32_t>(elapsed->elapsed()); };
}

bool ApplicationIsActive() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  return app == nullptr || QGuiApplication::applicationState() == Qt::ApplicationActive;
}

}  // namespace

TDXTimer::TDXTimer(QObject* parent, TClock clock, TActivity activity)
    : QObject(parent), impl_(std::make_unique<Impl>()) {
  impl_->clock = clock ? std::move(clock) : SteadyClock();
  impl_->active = activity ? std::move(activity) : TActivity(ApplicationIsActive);
  impl_->shot.setSingleShot(true);
  impl_->shot.setTimerType(Qt::PreciseTimer);
  QObject::connect(&impl_->shot, &QTimer::timeout, this, [this] {
    Poll();
    Schedule();
  });
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QObject::connect(app, &QGuiApplication::applicationStateChanged, this,
                     [this](Qt::ApplicationState state) { ApplicationActivated(state == Qt::ApplicationActive); });
  }
  // Like a component that starts once its owner has finished setting it up.
  if (QCoreApplication::instance() == nullptr) return;
  QTimer::singleShot(0, this, [this] {
    if (impl_->enabled && !impl_->running) Start();
  });
}

TDXTimer::~TDXTimer() = default;

int TDXTimer::Interval() const { return impl_->interval; }

void TDXTimer::SetInterval(int ms) {
  if (ms == impl_->interval) return;
  impl_->interval = ms;
  Schedule();
}

bool TDXTimer::Enabled() const { return impl_->enabled; }

void TDXTimer::SetEnabled(bool enabled) {
  impl_->enabled = enabled;
  if (enabled) {
    Start();
  } else {
    Stop();
  }
}

bool TDXTimer::Waiting() const { return impl_->shot.isActive(); }

void TDXTimer::Start() {
  Stop();
  if (!impl_->enabled) return;
  impl_->running = true;
  impl_->started = impl_->clock();
  impl_->waitingSinceStart = ActiveOnly && !impl_->active();
  if (impl_->waitingSinceStart) return;
  Install();
}

void TDXTimer::Stop() {
  impl_->running = false;
  impl_->installed = false;
  impl_->shot.stop();
}

// A timer that started while the application was not yet active counts its
// first interval from its start: a game just launched is the active program
// as far as the player is concerned, and the window system activates its
// window only once it is on the screen. Waiting a whole interval after that
// would keep the first picture back for nothing. A timer suspended by a real
// deactivation resumes one interval after the activation.
void TDXTimer::Install() {
  impl_->installed = true;
  impl_->last = impl_->waitingSinceStart ? impl_->started : impl_->clock();
  impl_->waitingSinceStart = false;
  Schedule();
}

void TDXTimer::Schedule() {
  if (!impl_->installed) {
    impl_->shot.stop();
    return;
  }
  const std::uint32_t elapsed = impl_->clock() - impl_->last;
  const std::uint32_t threshold = impl_->Threshold();
  // At least a millisecond, so an interval of 0 never spins the event loop.
  const std::uint32_t wait = elapsed >= threshold ? 1 : threshold - elapsed;
  impl_->shot.start(static_cast<int>(std::max<std::uint32_t>(wait, 1)));
}

bool TDXTimer::Poll() {
  const std::uint32_t now = impl_->clock();
  const std::uint32_t elapsed = now - impl_->last;
  if (elapsed < impl_->Threshold()) return false;
  const int lag = static_cast<int>(std::max<std::uint32_t>(elapsed / impl_->Divisor(), 1));
  impl_->last = now;
  if (OnTimer) OnTimer(*this, lag);
  return true;
}

void TDXTimer::ApplicationActivated(bool active) {
  if (active) {
    if (OnActivate) OnActivate(*this);
    if (impl_->running && ActiveOnly && !impl_->installed) Install();
  } else {
    if (OnDeactivate) OnDeactivate(*this);
    if (impl_->running && ActiveOnly) {
      impl_->waitingSinceStart = false;
      impl_->installed = false;
      impl_->shot.stop();
    }
  }
}
