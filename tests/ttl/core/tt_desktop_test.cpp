// The address a local page is handed to the browser with.
#include "ttl/core/tt_desktop.h"

namespace TarvaneTest {
namespace {

TEST(TtDesktopTest, AFileAddressKeepsThePathReadableAndEscapesWhatAnAddressCannotHold) {
  EXPECT_EQ(TtDesktop::FileUrl("/usr/share/tarvane/help/ja/index.html"),
            "file:///usr/share/tarvane/help/ja/index.html");
  // A space, "#", "%", "?" and a Japanese folder (表 is E8 A1 A8 in UTF-8) would otherwise end or
  // change the address.
  EXPECT_EQ(TtDesktop::FileUrl("/home/a b/#1%?/\xE8\xA1\xA8/x~y.html"),
            "file:///home/a%20b/%231%25%3F/%E8%A1%A8/x~y.html");
}

}  // namespace
}  // namespace TarvaneTest
