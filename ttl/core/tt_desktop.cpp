#include "ttl/core/tt_desktop.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <string_view>
#include <thread>

#include "ttl/core/tt_string.h"

extern char** environ;

namespace TtDesktop {

// A file URL keeps letters, digits, "-._~" and "/" and escapes every other byte, so that a name
// with spaces, "#" or Japanese letters reaches the browser whole.
std::string FileUrl(const std::string& utf8_path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char byte : utf8_path) {
    if (std::isalnum(byte) || std::string_view("-._~/").find(byte) != std::string_view::npos) {
      url += static_cast<char>(byte);
    } else {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 15];
    }
  }
  return url;
}

bool OpenInBrowser(const std::string& path) {
  std::string utf8_path;
  if (!TtString::TryCp932ToUtf8(path, utf8_path)) return false;
  std::string url = FileUrl(utf8_path);
  char opener[] = "xdg-open";
  char* arguments[] = {opener, url.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, opener, nullptr, nullptr, arguments, environ) != 0) return false;
  // The opener may outlive the call (some start the browser in the foreground); it is reaped
  // aside so that it leaves no zombie and the window never waits for the browser.
  std::thread([child] { waitpid(child, nullptr, 0); }).detach();
  return true;
}

}  // namespace TtDesktop
