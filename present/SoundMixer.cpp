#include "present/SoundMixer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr int DefaultRate = 44100;
constexpr int CallbackFrames = 1024;
// Longest converted wave kept in memory: a bit over six minutes at 44.1 kHz.
constexpr std::uint64_t MaxConvertedFrames = 1u << 24;

std::int16_t SampleAt(const std::uint8_t* frame, int channel, int bits) {
  if (bits == 8) return static_cast<std::int16_t>((frame[channel] - 128) << 8);
  const std::uint8_t* p = frame + channel * 2;
  return static_cast<std::int16_t>(p[0] | (p[1] << 8));
}

// Linear interpolation between neighbouring source frames; an equal rate
// steps by exactly one frame with no fraction. The format is fixed per call
// so the per-sample work has no branches on it.
template <int Channels, int Bits>
void Resample(const std::uint8_t* data, std::uint64_t frames, std::uint64_t step, std::int16_t* out,
              std::uint64_t outFrames) {
  constexpr std::size_t frameBytes = Channels * Bits / 8;
  std::uint64_t position = 0;
  for (std::uint64_t i = 0; i < outFrames; ++i, position += step) {
    const std::uint64_t a = position >> 32;
    const std::uint64_t b = std::min(a + 1, frames - 1);
    const std::int64_t fraction = static_cast<std::int32_t>((position >> 16) & 0xFFFF);
    for (int c = 0; c < Channels; ++c) {
      const std::int64_t sa = SampleAt(data + a * frameBytes, c, Bits);
      const std::int64_t sb = SampleAt(data + b * frameBytes, c, Bits);
      out[i * 2 + c] = static_cast<std::int16_t>(sa + (((sb - sa) * fraction) >> 16));
    }
    if (Channels == 1) out[i * 2 + 1] = out[i * 2];
  }
}

// The end of a voice's samples, in frames 32.32; 0, and the voice stopped,
// when it has none.
std::uint64_t EndOf(TSoundVoice& voice) {
  const std::uint64_t count = voice.Samples ? voice.Samples->FrameCount() : 0;
  if (count == 0) voice.Playing = false;
  return count << 32;
}

// The stereo frame a voice plays next, its position then one step on. A
// looping voice past its end starts over; one that does not loop stops
// there, and there is no frame.
const std::int16_t* NextFrame(TSoundVoice& voice, const std::int16_t* samples, std::uint64_t end) {
  if (voice.Position >= end) {
    if (!voice.Looping) {
      voice.Playing = false;
      return nullptr;
    }
    voice.Position %= end;
  }
  const std::int16_t* frame = samples + static_cast<std::size_t>(voice.Position >> 32) * 2;
  voice.Position += voice.Step;
  return frame;
}

}  // namespace

std::int32_t PeakOf(const std::vector<std::int16_t>& samples) {
  std::int32_t peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<std::int32_t>(s)));
  return peak;
}

namespace {

// A wave's layout as the conversion reads it, or none when it cannot be
// converted.
struct TConversion {
  int Channels, Bits;
  std::uint32_t Rate;
  std::uint64_t Frames, OutFrames;  // the wave's whole frames, and at the device rate
};

std::optional<TConversion> ConversionOf(const TWave& wave, int deviceRate) {
  const int channels = wave.Channels(), bits = wave.BitsPerSample();
  const std::uint32_t rate = wave.SamplesPerSec();
  if (wave.FormatTag() != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return std::nullopt;
  if (rate == 0 || rate > 1000000 || deviceRate <= 0) return std::nullopt;
  const std::size_t frameBytes = static_cast<std::size_t>(channels) * bits / 8;
  const std::uint64_t frames = std::min(wave.DataSize(), wave.Data().size()) / frameBytes;
  const std::uint64_t outFrames = (frames * deviceRate + rate - 1) / rate;
  if (outFrames > MaxConvertedFrames) return std::nullopt;
  return TConversion{channels, bits, rate, frames, outFrames};
}

}  // namespace

bool CanConvertWave(const TWave& wave, int deviceRate) { return ConversionOf(wave, deviceRate).has_value(); }

std::shared_ptr<const TSoundSamples> ConvertWave(const TWave& wave, int deviceRate) {
  const std::optional<TConversion> conversion = ConversionOf(wave, deviceRate);
  if (!conversion) return nullptr;
  const auto [channels, bits, rate, frames, outFrames] = *conversion;

  auto result = std::make_shared<TSoundSamples>();
  result->SourceRate = rate;
  result->Frames.resize(static_cast<std::size_t>(outFrames) * 2);
  const std::uint8_t* data = wave.Data().data();
  const std::uint64_t step = (static_cast<std::uint64_t>(rate) << 32) / static_cast<std::uint64_t>(deviceRate);
  std::int16_t* out = result->Frames.data();
  if (channels == 1 && bits == 8) Resample<1, 8>(data, frames, step, out, outFrames);
  if (channels == 1 && bits == 16) Resample<1, 16>(data, frames, step, out, outFrames);
  if (channels == 2 && bits == 8) Resample<2, 8>(data, frames, step, out, outFrames);
  if (channels == 2 && bits == 16) Resample<2, 16>(data, frames, step, out, outFrames);
  result->Peak = PeakOf(result->Frames);
  return result;
}

std::int32_t GainFromHundredthsDb(int attenuation) {
  if (attenuation >= 0) return 32768;
  if (attenuation <= -10000) return 0;
  return static_cast<std::int32_t>(std::lround(32768.0 * std::pow(10.0, attenuation / 2000.0)));
}

void TSoundVoice::Apply(int frequency, int pan, int volume) {
  const std::uint32_t own = Samples ? Samples->SourceRate : 0;
  if (frequency <= 0 || own == 0) {
    Step = 1ull << 32;
  } else {
    const std::uint64_t hz = static_cast<std::uint64_t>(std::clamp(frequency, 100, 200000));
    Step = (hz << 32) / own;
  }
  const std::int32_t gain = GainFromHundredthsDb(std::min(volume, 0));
  const int clampedPan = std::clamp(pan, -10000, 10000);
  // Panning attenuates the far side only, so the centre keeps full level.
  GainLeft = static_cast<std::int32_t>(
      (static_cast<std::int64_t>(gain) * GainFromHundredthsDb(-std::max(clampedPan, 0))) >> 15);
  GainRight = static_cast<std::int32_t>(
      (static_cast<std::int64_t>(gain) * GainFromHundredthsDb(std::min(clampedPan, 0))) >> 15);
}

TSoundMixer::TSoundMixer() = default;

TSoundMixer::~TSoundMixer() { Close(); }

bool TSoundMixer::Open() {
  Close();
  // SDL must leave SIGINT and SIGTERM to the application.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  subsystem_ = true;
  SDL_AudioSpec want{};
  want.freq = DefaultRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = CallbackFrames;
  want.callback = &TSoundMixer::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to the hardware, the mixer always sees
  // 16-bit stereo at DefaultRate.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    Close();
    return false;
  }
  rate_ = have.freq;
  mix_.assign(static_cast<std::size_t>(std::max<int>(have.samples, CallbackFrames)) * 2, 0);
  open_ = true;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void TSoundMixer::OpenOffline(int rate) {
  Close();
  rate_ = rate > 0 ? rate : DefaultRate;
  mix_.assign(static_cast<std::size_t>(CallbackFrames) * 2, 0);
  open_ = true;
}

void TSoundMixer::Close() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
    device_ = 0;
  }
  if (subsystem_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    subsystem_ = false;
  }
  open_ = false;
}

void TSoundMixer::Lock() {
  if (device_ != 0) SDL_LockAudioDevice(device_);
}

void TSoundMixer::Unlock() {
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void TSoundMixer::AddVoice(TSoundVoice* voice) { voices_.push_back(voice); }

void TSoundMixer::RemoveVoice(TSoundVoice* voice) { std::erase(voices_, voice); }

void TSoundMixer::Callback(void* userdata, std::uint8_t* stream, int length) {
  // SDL holds the device lock while it calls back.
  static_cast<TSoundMixer*>(userdata)->Render(reinterpret_cast<std::int16_t*>(stream),
                                       length / static_cast<int>(2 * sizeof(std::int16_t)));
}

void TSoundMixer::Render(std::int16_t* out, int frames) {
  const int chunkFrames = static_cast<int>(mix_.size() / 2);
  if (chunkFrames == 0) {
    std::fill(out, out + static_cast<std::ptrdiff_t>(frames) * 2, std::int16_t{0});
    return;
  }
  while (frames > 0) {
    const int n = std::min(frames, chunkFrames);
    std::fill(mix_.begin(), mix_.begin() + n * 2, 0);
    bool underlay = false;
    for (TSoundVoice* voice : voices_) {
      underlay |= voice->Playing && voice->Underlay;
      if (!voice->Playing || voice->Underlay) continue;
      const std::uint64_t end = EndOf(*voice);
      if (end == 0) continue;
      const std::int16_t* samples = voice->Samples->Frames.data();
      std::int32_t* sum = mix_.data();
      for (int i = 0; i < n; ++i) {
        const std::int16_t* frame = NextFrame(*voice, samples, end);
        if (frame == nullptr) break;
        sum[i * 2] += (frame[0] * voice->GainLeft) >> 15;
        sum[i * 2 + 1] += (frame[1] * voice->GainRight) >> 15;
      }
      if (voice->Playing && !voice->Looping && voice->Position >= end) voice->Playing = false;
    }
    if (underlay) MixUnderlay(n);
    // Sums beyond 16 bits are clipped, never wrapped.
    for (int i = 0; i < n * 2; ++i) out[i] = static_cast<std::int16_t>(std::clamp(mix_[i], -32768, 32767));
    out += n * 2;
    frames -= n;
  }
}

void TSoundMixer::MixUnderlay(int n) {
  std::int32_t loudest = 0;
  for (int i = 0; i < n * 2; ++i) loudest = std::max(loudest, std::abs(mix_[i]));
  int sharing = 0;
  for (const TSoundVoice* voice : voices_) sharing += voice->Playing && voice->Underlay;
  // One step short of full scale: the music never puts a sample on the rail.
  const std::int64_t headroom = std::max<std::int64_t>(0, 32766 - loudest) / std::max(sharing, 1);
  // Coming back up takes about 0.3 s; giving way is at once.
  const std::int32_t recovery = static_cast<std::int32_t>(std::min<std::int64_t>(32768, 32768LL * n * 10 / (3 * rate_) + 1));
  for (TSoundVoice* voice : voices_) {
    if (!voice->Playing || !voice->Underlay) continue;
    const std::uint64_t end = EndOf(*voice);
    if (end == 0) continue;
    // The gain that keeps this voice's loudest possible sample within the headroom.
    const std::int64_t loudestHere =
        static_cast<std::int64_t>(voice->Samples->Peak) * std::max(voice->GainLeft, voice->GainRight) >> 15;
    const std::int32_t limit =
        loudestHere <= 0 ? 32768 : static_cast<std::int32_t>(std::min<std::int64_t>(32768, headroom * 32768 / loudestHere));
    const std::int32_t from = std::min(voice->Duck, limit);
    const std::int32_t to = std::min(limit, from + recovery);
    const std::int32_t fadeFrom = voice->Fade, fadeTo = voice->FadeTarget;
    const int fadeFrames = std::min(n, UnderlayFadeFrames);
    const std::int16_t* samples = voice->Samples->Frames.data();
    // Faded out, the voice holds its place at the end of the fade.
    const int frames = fadeTo == 0 ? fadeFrames : n;
    for (int i = 0; i < frames; ++i) {
      const std::int16_t* frame = NextFrame(*voice, samples, end);
      if (frame == nullptr) break;
      const std::int64_t duck = from + static_cast<std::int64_t>(to - from) * i / n;
      const std::int64_t fade = i >= fadeFrames ? fadeTo : fadeFrom + static_cast<std::int64_t>(fadeTo - fadeFrom) * i / fadeFrames;
      const std::int64_t gain = duck * fade >> 15;
      mix_[i * 2] += static_cast<std::int32_t>((frame[0] * (gain * voice->GainLeft >> 15)) >> 15);
      mix_[i * 2 + 1] += static_cast<std::int32_t>((frame[1] * (gain * voice->GainRight >> 15)) >> 15);
    }
    voice->Duck = to;
    voice->Fade = fadeTo;
    if (fadeTo == 0) voice->Playing = false;
  }
}
