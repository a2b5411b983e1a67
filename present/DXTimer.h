#pragma once
// The frame timer: calls OnTimer when at least Interval ms have passed since
// the last call, only while the application is active (ActiveOnly). A precise
// single-shot timer is aimed at the next due moment, so waiting costs no CPU.
// A timer that starts before the application is first activated counts its
// first interval from its start; after a deactivation it resumes one interval
// after the next activation.
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

class TDXTimer : public QObject {
 public:
  using TClock = std::function<std::uint32_t()>;  // milliseconds
  using TActivity = std::function<bool()>;        // whether the application is active
  explicit TDXTimer(QObject* parent = nullptr, TClock clock = {}, TActivity activity = {});
  ~TDXTimer() override;

  int Interval() const;
  void SetInterval(int ms);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool ActiveOnly = true;

  std::function<void(TDXTimer& sender, int lagCount)> OnTimer;
  std::function<void(TDXTimer& sender)> OnActivate;
  std::function<void(TDXTimer& sender)> OnDeactivate;

  // The due rule, for tests driving a fake clock: runs OnTimer when due.
  bool Poll();
  // The application gained or lost activation (wired to Qt's state signal;
  // tests call it directly).
  void ApplicationActivated(bool active);
  // Whether the single-shot timer is armed (the application is being waited on).
  bool Waiting() const;

 private:
  void Start();
  void Stop();
  void Install();
  void Schedule();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
