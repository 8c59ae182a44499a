#pragma once
// Icons: loaded from a file, from picture data built into the program, or from the program's
// named resources (pictures registered once at start-up under a name, such as "MAIN_ICON").
#include <cstddef>
#include <memory>
#include <string>

struct TtIconData;

class TtIcon {
public:
  TtIcon();
  ~TtIcon();
  TtIcon(const TtIcon&);
  TtIcon& operator=(const TtIcon&);

  // Any picture format the widget set reads (PNG, BMP, XPM, ICO); throws for "::LoadImage".
  static TtIcon LoadFromFile(const std::string& path);
  static TtIcon FromPngData(const unsigned char* data, std::size_t size);
  static TtIcon FromXpm(const char* const* xpm);

  // Registers picture data (PNG bytes, kept by pointer) under a resource name.
  static void RegisterResource(const std::string& name, const unsigned char* png_data,
                               std::size_t size);
  // The registered picture; throws TtWindowsSystemCallException for "::LoadIcon" when the name
  // is unknown or the data unreadable.
  static TtIcon LoadResource(const std::string& name);

  bool IsEmpty() const;
  int GetWidth() const;
  int GetHeight() const;
  TtIconData* GetData() const { return data_.get(); }

private:
  std::shared_ptr<TtIconData> data_;
};
