#include "ttl/core/tt_exception.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace Tarvane {
class SampleException : public TtException {};
}  // namespace Tarvane

TEST(TtExceptionTest, StandardTextIsTheFamilyName) {
  TtInternalException e("tt_window", 12);
  EXPECT_STREQ(e.what(), "TtException");
  EXPECT_EQ(TtException().Message(), "TtException");
}

TEST(TtExceptionTest, MessagesFollowTheFixedFormats) {
  EXPECT_EQ(TtInternalException("tt_form", 7).Message(), "TtInternalException : tt_form(7)");
  EXPECT_EQ(TtSystemCallException("tt_menu", 30, "::CreateMenu", 8).Message(),
            "TtSystemCallException : tt_menu(30),::CreateMenu(8)");
  EXPECT_EQ(TtWindowsSystemCallException("tt_window", 99, "::MoveWindow", EACCES).Message(),
            std::string("TtWindowsSystemCallException : tt_window(99),::MoveWindow(13),") +
                std::strerror(EACCES));
  EXPECT_EQ(TtFileAccessException("/tmp/x.txt", 2).Message(),
            "TtFileAccessException : /tmp/x.txt(errno = 2)");
  EXPECT_EQ(TtInvalidOperationException(typeid(int)).Message(),
            "TtInvalidOperationException : int");
  EXPECT_EQ(TtInvalidFileTypeException(typeid(int), "a.bmp").Message(),
            "TtInvalidFileTypeException : a.bmp");
}

TEST(TtExceptionTest, ClassNameKeepsItsNamespace) {
  EXPECT_EQ(Tarvane::SampleException().Message(), "Tarvane::SampleException");
}
