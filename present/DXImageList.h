#pragma once
// Image lists: bitmaps cut into numbered patterns, drawn scaled, colour-keyed
// or blended onto surfaces. Toolkit-free.
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "present/ListError.h"
#include "present/Surface.h"
#include "present/SurfaceDevice.h"

class EDXImageListError : public std::runtime_error {  // "%s cannot be initialized"
  using std::runtime_error::runtime_error;
};

class TPictureCollection;
struct TKeptPattern;
struct TPatternClip;

// One picture cut into patterns. The whole picture is kept in one surface;
// PatternRect gives each pattern's rectangle in it, numbered row by row.
class TPictureCollectionItem {
 public:
  explicit TPictureCollectionItem(TPictureCollection& collection);
  ~TPictureCollectionItem();

  std::string Name;  // Windows-1252 bytes, as the package reader gave it
  TBitmap Picture;
  std::int32_t PatternHeight = 0;
  std::int32_t PatternWidth = 0;
  std::int32_t SkipHeight = 0;
  std::int32_t SkipWidth = 0;
  bool SystemMemory = false;
  bool Transparent = true;

  TColor TransparentColor() const { return transparentColor_; }
  void SetTransparentColor(TColor color);

  bool Initialized() const { return initialized_; }
  void RebuildPatterns();
  int PatternCount() const;
  TRect PatternRect(int index) const;
  TDirectDrawSurface* PatternSurface(int index) const;
  void DrawScaled(TDirectDrawSurface& dest, const TRect& destRect, int index);
  void DrawBlended(TDirectDrawSurface& dest, const TRect& destRect, int index, int alpha);

  // Used by the collection when it attaches and detaches.
  void Initialize();
  void Finalize();

  // Changes, to a number no other item has had, whenever what the item's
  // patterns draw may have changed (cut again, new colour key, detached).
  std::uint32_t Stamp() const { return stamp_; }

 private:
  struct Pattern;
  struct TKeptSize;
  TKeptPattern* KeptPattern(int index, int width, int height);
  void CopyPattern(TDirectDrawSurface& dest, const TRect& destRect, int index, TPatternClip& clip);
  void ForgetKept();
  TPictureCollection& collection_;
  bool initialized_ = false;
  TColor transparentColor_ = 0;
  std::uint32_t key_;  // TransparentColor as a pixel
  std::uint32_t stamp_;
  std::vector<Pattern> patterns_;
  std::vector<std::unique_ptr<TDirectDrawSurface>> surfaces_;
  struct Cache;
  std::unique_ptr<Cache> cache_;  // patterns kept at the sizes they are drawn at
  TKeptSize* last_ = nullptr;     // in cache_, the size drawn last
};

class TPictureCollection {
 public:
  TPictureCollection();
  ~TPictureCollection();
  int Count() const { return static_cast<int>(items_.size()); }
  TPictureCollectionItem& Items(int index);  // EListError when out of range
  TPictureCollectionItem& Add();
  void AttachDevice(TSurfaceDevice& device);  // EDXImageListError when not started
  void DetachDevice();
  void RebuildAll();
  TSurfaceDevice* Device() const { return device_; }

 private:
  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
  TSurfaceDevice* device_ = nullptr;
};

class TDXImageList : public TSurfaceListener {
 public:
  TDXImageList();
  ~TDXImageList() override;
  TPictureCollection Items;
  TSurfaceDevice* DXDraw() const { return dxdraw_; }
  void SetDXDraw(TSurfaceDevice* device);
  void SurfaceNotice(TSurfaceDevice& sender, TSurfaceNotice notice) override;

 private:
  TSurfaceDevice* dxdraw_ = nullptr;
};
