// The toolbar, drawn by the toolkit itself. The widget set's GTK toolbar pads its buttons for
// the desktop theme, which clips 16 x 15 pictures in the 28-pixel bar that the program's layout
// gives it, offers no button rectangles, and splits drop-down buttons into two parts; a bar of
// our own keeps the pictures whole, knows where each button is, and opens a whole-button
// drop-down from anywhere on the button.
#include <wx/dcbuffer.h>
#include <wx/tooltip.h>

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/gui/tt_backend.h"
#include "ttl/gui/tt_image_list.h"
#include "ttl/gui/tt_tool_bar.h"
#include "ttl/gui/wx/tt_wx_internal.h"

namespace {

constexpr int kButtonPadding = 4;
constexpr int kArrowWidth = 8;
constexpr int kSeparatorWidth = 8;
constexpr int kLeftMargin = 2;

class ToolBarWidget : public wxControl {
public:
  ToolBarWidget(wxWindow* parent, int id)
      : wxControl(parent, id, wxDefaultPosition, wxSize(100, 28),
                  wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, [this](wxPaintEvent&) { Paint(); });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) { Hover(ButtonAt(event.GetPosition())); });
    Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent&) {
      pressed_ = -1;
      Hover(-1);
    });
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) { Press(ButtonAt(event.GetPosition())); });
    Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent& event) { Press(ButtonAt(event.GetPosition())); });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) { Release(ButtonAt(event.GetPosition())); });
  }

  // Lays the buttons out from the toolbar's list.
  void Rebuild(const TtToolBar& tool_bar) {
    buttons_.clear();
    const TtImageList* images = tool_bar.GetImageList();
    int picture_width = images ? images->GetWidth() : 16;
    int picture_height = images ? images->GetHeight() : 15;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    int x = kLeftMargin;
    for (int index = 0; index < tool_bar.GetButtonCount(); ++index) {
      const TtToolBar::Button& source = tool_bar.GetButton(index);
      Button button;
      button.source = source;
      if (source.style & TtWin::BTNS_SEP) {
        button.rect = wxRect(x, 0, kSeparatorWidth, 0);
        x += kSeparatorWidth;
        buttons_.push_back(button);
        continue;
      }
      if (const wxBitmap* picture =
              images ? TtWxInternal::ImageOf(*images, source.image) : nullptr) {
        button.picture = *picture;
        button.disabled_picture = wxBitmap(picture->ConvertToImage().ConvertToDisabled());
      }
      int width = picture_width + 2 * kButtonPadding;
      if (source.style & TtWin::BTNS_SHOWTEXT)
        width += dc.GetTextExtent(TtWx::ToWxString(source.text)).GetWidth() + 4;
      if (source.style & TtWin::BTNS_WHOLEDROPDOWN) width += kArrowWidth;
      button.rect = wxRect(x, 0, width, picture_height + 2 * kButtonPadding);
      x += width;
      buttons_.push_back(button);
    }
    PlaceVertically();
    Refresh();
  }

  wxRect ButtonRect(int index) const {
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return wxRect();
    return buttons_[index].rect;
  }

  // Buttons sit in the middle of the bar's height, which the layout may change at any time.
  void PlaceVertically() {
    int height = GetClientSize().GetHeight();
    for (Button& button : buttons_) {
      if (button.source.style & TtWin::BTNS_SEP) {
        button.rect.y = 2;
        button.rect.height = std::max(height - 4, 0);
      } else {
        button.rect.y = std::max((height - button.rect.height) / 2, 0);
      }
    }
  }

private:
  struct Button {
    TtToolBar::Button source;
    wxRect rect;
    wxBitmap picture;
    wxBitmap disabled_picture;
  };

  TtToolBar* Owner() {
    return dynamic_cast<TtToolBar*>(TtWindow::FromHandle(TtWx::ToHandle(this)));
  }

  bool Usable(int index) const {
    return index >= 0 && !(buttons_[index].source.style & TtWin::BTNS_SEP) &&
           (buttons_[index].source.state & TtWin::TBSTATE_ENABLED);
  }

  int ButtonAt(const wxPoint& point) {
    PlaceVertically();
    for (int index = 0; index < static_cast<int>(buttons_.size()); ++index) {
      if (buttons_[index].rect.Contains(point)) return Usable(index) ? index : -1;
    }
    return -1;
  }

  void Hover(int index) {
    if (index == hovered_) return;
    hovered_ = index;
    if (index >= 0) {
      SetToolTip(TtWx::ToWxString(buttons_[index].source.text));
    } else {
      UnsetToolTip();
    }
    Refresh();
  }

  void Press(int index) {
    if (index < 0) return;
    // A drop-down opens as the button goes down, as the platform's toolbar does.
    if (buttons_[index].source.style & TtWin::BTNS_WHOLEDROPDOWN) {
      pressed_ = -1;
      // The tooltip would lie over the menu's first items; it comes back when the pointer
      // next enters a button.
      UnsetToolTip();
      hovered_ = -1;
      Click(index);
      return;
    }
    pressed_ = index;
    Refresh();
  }

  void Release(int index) {
    int pressed = pressed_;
    pressed_ = -1;
    Refresh();
    if (pressed >= 0 && pressed == index) Click(index);
  }

  void Click(int index) {
    int id = buttons_[index].source.id;
    if (TtToolBar* owner = Owner()) owner->Click(id);
  }

  void Paint() {
    wxAutoBufferedPaintDC dc(this);
    wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    dc.SetBackground(wxBrush(face));
    dc.Clear();
    PlaceVertically();
    wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    dc.SetFont(GetFont());
    for (int index = 0; index < static_cast<int>(buttons_.size()); ++index) {
      const Button& button = buttons_[index];
      const wxRect& rect = button.rect;
      if (button.source.style & TtWin::BTNS_SEP) {
        dc.SetPen(wxPen(shadow));
        dc.DrawLine(rect.x + rect.width / 2, rect.y, rect.x + rect.width / 2, rect.GetBottom());
        continue;
      }
      bool enabled = (button.source.state & TtWin::TBSTATE_ENABLED) != 0;
      bool down = index == pressed_ ||
                  (button.source.state & (TtWin::TBSTATE_CHECKED | TtWin::TBSTATE_PRESSED));
      if (enabled && (down || index == hovered_)) {
        dc.SetPen(wxPen(highlight));
        dc.SetBrush(
            wxBrush(down ? highlight.ChangeLightness(170) : highlight.ChangeLightness(185)));
        dc.DrawRoundedRectangle(rect, 2);
      }
      int x = rect.x + kButtonPadding + (down ? 1 : 0);
      int y = rect.y + kButtonPadding + (down ? 1 : 0);
      const wxBitmap& picture = enabled ? button.picture : button.disabled_picture;
      if (picture.IsOk()) {
        dc.DrawBitmap(picture, x, y, true);
        x += picture.GetWidth();
      }
      if (button.source.style & TtWin::BTNS_SHOWTEXT) {
        dc.SetTextForeground(
            wxSystemSettings::GetColour(enabled ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT));
        wxString text = TtWx::ToWxString(button.source.text);
        dc.DrawText(text, x + 2, rect.y + (rect.height - dc.GetCharHeight()) / 2);
      }
      if (button.source.style & TtWin::BTNS_WHOLEDROPDOWN) {
        // A small triangle pointing down at the right end of the button.
        int middle_x = rect.GetRight() - kArrowWidth / 2 - 1;
        int middle_y = rect.y + rect.height / 2;
        wxPoint arrow[] = {wxPoint(middle_x - 3, middle_y - 1), wxPoint(middle_x + 3, middle_y - 1),
                           wxPoint(middle_x, middle_y + 2)};
        wxColour ink =
            wxSystemSettings::GetColour(enabled ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
        dc.SetPen(wxPen(ink));
        dc.SetBrush(wxBrush(ink));
        dc.DrawPolygon(3, arrow);
      }
    }
    dc.SetPen(wxPen(shadow));
    dc.DrawLine(0, GetClientSize().GetHeight() - 1, GetClientSize().GetWidth(),
                GetClientSize().GetHeight() - 1);
  }

  std::vector<Button> buttons_;
  int hovered_ = -1;
  int pressed_ = -1;
};

ToolBarWidget* WidgetOf(const TtToolBar& tool_bar) {
  return tool_bar.GetHandle() ? dynamic_cast<ToolBarWidget*>(TtWx::ToWx(tool_bar.GetHandle()))
                              : nullptr;
}

}  // namespace

wxWindow* TtWxInternal::CreateToolBar(TtWindow& window, wxWindow* parent, int id, TtWin::DWORD,
                                      TtWin::DWORD) {
  auto* tool_bar = dynamic_cast<TtToolBar*>(&window);
  if (!tool_bar) throw TT_SYSTEM_CALL_ERROR("tt_tool_bar", "::CreateWindowEx", EINVAL);
  auto* widget = new ToolBarWidget(parent, id);
  widget->Rebuild(*tool_bar);
  return widget;
}

void TtBackend::RebuildToolBar(TtToolBar& tool_bar) {
  if (ToolBarWidget* widget = WidgetOf(tool_bar)) widget->Rebuild(tool_bar);
}

TtWin::RECT TtBackend::ToolBarButtonRectangle(const TtToolBar& tool_bar, int index) {
  ToolBarWidget* widget = WidgetOf(tool_bar);
  if (!widget) throw TT_SYSTEM_CALL_ERROR("tt_tool_bar", "TB_GETRECT", EBADF);
  widget->PlaceVertically();
  return TtWx::ToRect(widget->ButtonRect(index));
}

wxRect TtWxInternal::ToolBarButtonRect(wxWindow* tool_bar, int index) {
  auto* widget = dynamic_cast<ToolBarWidget*>(tool_bar);
  if (!widget) return wxRect();
  widget->PlaceVertically();
  return widget->ButtonRect(index);
}
