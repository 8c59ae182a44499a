#include "model/import/file_error_text.h"

#include <cerrno>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"

namespace Tarvane {

std::string FileErrorText(int error_number) {
  if (!TtLanguage::MessagesInJapanese()) return TtFileAccessException::ReasonText(error_number);
  switch (error_number) {
    case ENOENT:
      return "ファイルがありません";
    case EACCES:
    case EPERM:
      return "アクセスが許可されていません";
    case EISDIR:
      return "フォルダです";
    case ENOTDIR:
      return "途中のフォルダがありません";
    case EFBIG:
      return "大きすぎます";
    case ENOSPC:
      return "ディスクがいっぱいです";
    case EROFS:
      return "書き込みできない場所です";
    case EILSEQ:
      return "ファイル名を CP932 で表せません";
    case EIO:
      return "読み書き中にエラーが起きました";
    default:
      return TtFileAccessException::ReasonText(error_number);
  }
}

}  // namespace Tarvane
