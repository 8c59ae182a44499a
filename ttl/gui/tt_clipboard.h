#pragma once
// Text on the clipboard. The program's CP932 text goes to the desktop as UTF-8; on X11 this
// program serves it while it runs and a clipboard manager keeps it after exit.
#include <string>

class TtPicture;

class TtClipboard {
public:
  // False when another program holds the clipboard.
  static bool SetString(const std::string& text);
  // The picture as a bitmap; false when another program holds the clipboard.
  static bool SetPicture(const TtPicture& picture);
  // The clipboard's text in CP932; false when it holds no text or cannot be opened.
  static bool GetString(std::string& text);
  // The clipboard's text as the desktop has it, in UTF-8, for text whose characters the code
  // page may lack (a deck list copied from a web page); false as above.
  static bool GetUtf8String(std::string& text);
};
