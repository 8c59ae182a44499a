// The toolbar over the widget set's toolbar. Whole-button drop-downs are ordinary tools whose
// click is reported as the drop-down (the widget set's own drop-down tools split off a separate
// arrow); their pictures get a small arrow so they still look like drop-downs.
#include <wx/toolbar.h>

#include <dlfcn.h>

#include <cerrno>

#include "ttl/tt_backend.h"
#include "ttl/tt_exception.h"
#include "ttl/tt_image_list.h"
#include "ttl/tt_tool_bar.h"
#include "ttl/tt_wx_internal.h"

namespace {

// Tools get identifiers of their own (kToolIdBase + position), so that any button identifier,
// even a repeated one, maps back to exactly one button.
using TtWxInternal::kToolIdBase;

wxBitmap WithDropDownArrow(const wxBitmap& picture) {
  wxImage image = picture.ConvertToImage();
  if (!image.HasAlpha()) image.InitAlpha();
  int width = image.GetWidth();
  int height = image.GetHeight();
  wxImage result(width + 7, height);
  result.InitAlpha();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width + 7; ++x) result.SetAlpha(x, y, 0);
  }
  result.Paste(image, 0, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) result.SetAlpha(x, y, image.GetAlpha(x, y));
  }
  // A small triangle pointing down, centred beside the picture.
  int top = height / 2 - 1;
  for (int row = 0; row < 3; ++row) {
    for (int x = width + 1 + row; x < width + 6 - row; ++x) {
      result.SetRGB(x, top + row, 0, 0, 0);
      result.SetAlpha(x, top + row, 255);
    }
  }
  return wxBitmap(result);
}

wxBitmap EmptyPicture(int width, int height) {
  wxImage image(std::max(width, 1), std::max(height, 1));
  image.InitAlpha();
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) image.SetAlpha(x, y, 0);
  }
  return wxBitmap(image);
}

void Fill(TtToolBar& tool_bar, wxToolBar* widget, int bitmap_width, int bitmap_height) {
  widget->ClearTools();
  for (int index = 0; index < tool_bar.GetButtonCount(); ++index) {
    const TtToolBar::Button& button = tool_bar.GetButton(index);
    if (button.style & TtWin::BTNS_SEP) {
      widget->AddSeparator();
      continue;
    }
    const wxBitmap* image = tool_bar.GetImageList() ? TtWxInternal::ImageOf(*tool_bar.GetImageList(), button.image) : nullptr;
    wxBitmap picture = image ? *image : EmptyPicture(bitmap_width, bitmap_height);
    if (button.style & TtWin::BTNS_WHOLEDROPDOWN) picture = WithDropDownArrow(picture);
    wxItemKind kind = (button.style & TtWin::BTNS_CHECK) ? wxITEM_CHECK : wxITEM_NORMAL;
    wxString text = TtWx::ToWxString(button.text);
    widget->AddTool(kToolIdBase + index, (button.style & TtWin::BTNS_SHOWTEXT) ? text : wxString(), picture, text, kind);
    widget->EnableTool(kToolIdBase + index, (button.state & TtWin::TBSTATE_ENABLED) != 0);
    if (kind == wxITEM_CHECK) widget->ToggleTool(kToolIdBase + index, (button.state & TtWin::TBSTATE_CHECKED) != 0);
  }
  widget->Realize();
}

wxToolBar* WidgetOf(const TtToolBar& tool_bar) {
  return tool_bar.GetHandle() ? dynamic_cast<wxToolBar*>(TtWx::ToWx(tool_bar.GetHandle())) : nullptr;
}

// The widget set keeps each tool as a GTK tool item; its place is read from the toolkit below
// at run time, since the toolbar exposes no rectangle of its own.
bool NativeToolRectangle(wxToolBar* widget, int index, wxRect& rect) {
  using NthItem = void* (*)(void*, int);
  using Translate = int (*)(void*, void*, int, int, int*, int*);
  using Extent = int (*)(void*);
  static auto nth_item = reinterpret_cast<NthItem>(dlsym(RTLD_DEFAULT, "gtk_toolbar_get_nth_item"));
  static auto translate = reinterpret_cast<Translate>(dlsym(RTLD_DEFAULT, "gtk_widget_translate_coordinates"));
  static auto width_of = reinterpret_cast<Extent>(dlsym(RTLD_DEFAULT, "gtk_widget_get_allocated_width"));
  static auto height_of = reinterpret_cast<Extent>(dlsym(RTLD_DEFAULT, "gtk_widget_get_allocated_height"));
  if (!nth_item || !translate || !width_of || !height_of) return false;
  void* toolbar = widget->GTKGetToolbar();
  void* item = toolbar ? nth_item(toolbar, index) : nullptr;
  if (!item) return false;
  int x = 0;
  int y = 0;
  if (!translate(item, toolbar, 0, 0, &x, &y)) return false;
  int width = width_of(item);
  int height = height_of(item);
  if (width <= 1 || height <= 1) return false;
  rect = wxRect(x, y, width, height);
  return true;
}

}  // namespace

wxWindow* TtWxInternal::CreateToolBar(TtWindow& window, wxWindow* parent, int id, TtWin::DWORD style, TtWin::DWORD) {
  long wx_style = wxTB_HORIZONTAL | wxTB_NODIVIDER;
  if (style & TtWin::TBSTYLE_FLAT) wx_style |= wxTB_FLAT;
  auto* widget = new wxToolBar(parent, id, wxDefaultPosition, wxDefaultSize, wx_style);
  auto* tool_bar = dynamic_cast<TtToolBar*>(&window);
  if (!tool_bar) throw TT_SYSTEM_CALL_ERROR("tt_tool_bar", "::CreateWindowEx", EINVAL);
  widget->Bind(wxEVT_TOOL, [widget](wxCommandEvent& event) {
    auto* owner = dynamic_cast<TtToolBar*>(TtWindow::FromHandle(TtWx::ToHandle(widget)));
    int index = event.GetId() - kToolIdBase;
    if (!owner || index < 0 || index >= owner->GetButtonCount()) return;
    owner->Click(owner->GetButton(index).id);
  });
  Fill(*tool_bar, widget, 16, 15);
  return widget;
}

void TtBackend::RebuildToolBar(TtToolBar& tool_bar) {
  if (wxToolBar* widget = WidgetOf(tool_bar)) {
    const TtImageList* images = tool_bar.GetImageList();
    Fill(tool_bar, widget, images ? images->GetWidth() : 16, images ? images->GetHeight() : 15);
  }
}

TtWin::RECT TtBackend::ToolBarButtonRectangle(const TtToolBar& tool_bar, int index) {
  wxToolBar* widget = WidgetOf(tool_bar);
  if (!widget) throw TT_SYSTEM_CALL_ERROR("tt_tool_bar", "TB_GETRECT", EBADF);
  wxRect rect;
  if (!NativeToolRectangle(widget, index, rect)) {
    // Not laid out yet: count the tools from the left edge.
    wxSize tool = widget->GetToolSize();
    int x = 0;
    for (int before = 0; before < index; ++before) {
      x += (tool_bar.GetButton(before).style & TtWin::BTNS_SEP) ? 8 : tool.GetWidth();
    }
    rect = wxRect(x, 0, tool.GetWidth(), tool.GetHeight());
  }
  return TtWx::ToRect(rect);
}
