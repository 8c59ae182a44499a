#pragma once
// Image lists (pictures of one size, with a transparent colour) and the drag image that
// follows the pointer while something is dragged.
#include <memory>

#include "ttl/core/tt_win.h"

class TtBmpImage;
class TtIcon;
class TtWindow;
struct TtImageListData;

class TtImageList {
public:
  // Pictures of width x height pixels; the capacity figures only tune memory.
  TtImageList(int width, int height, int initial = 8, int grow = 1);
  TtImageList();
  ~TtImageList();
  TtImageList(TtImageList&&) noexcept;
  TtImageList& operator=(TtImageList&&) noexcept;

  bool IsEmpty() const;
  int GetImageCount() const;
  int GetWidth() const;
  int GetHeight() const;
  // Cuts the bitmap into pictures of the list's width; pixels of the mask colour are
  // transparent. Returns the index of the first picture added.
  int AddMasked(const TtBmpImage& bitmap, TtWin::COLORREF mask_colour);
  int Add(const TtBmpImage& bitmap);
  int AddIcon(const TtIcon& icon);
  TtIcon GetIcon(int index) const;

  TtImageListData* GetData() const { return data_.get(); }

private:
  std::unique_ptr<TtImageListData> data_;
};

// A picture that follows the pointer: Begin with a picture of an image list and the hot spot
// (the point of the picture that sits under the pointer), Enter over a window at a point in its
// client coordinates, Move, Leave hides it, End finishes the drag.
class TtDragImage {
public:
  TtDragImage();
  ~TtDragImage();
  TtDragImage(const TtDragImage&) = delete;
  TtDragImage& operator=(const TtDragImage&) = delete;

  void Begin(TtImageList image_list, int index, int hot_spot_x, int hot_spot_y);
  void Enter(const TtWindow& window, int x, int y);
  void Move(int x, int y);
  void Leave();
  void End();
  bool IsDragging() const;
  bool IsShown() const;

private:
  struct State;
  std::unique_ptr<State> state_;
};
