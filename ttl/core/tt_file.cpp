#include "ttl/core/tt_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_language.h"
#include "ttl/core/tt_string.h"

namespace TtFile {

const char kNotRegularFileReason[] = "通常のファイルではありません";
const char kReadOnlyFileReason[] = "書き込みが許可されていないファイルです";

namespace {

std::string NotRegularFileReason() {
  return TtLanguage::Text("not a regular file", kNotRegularFileReason);
}

std::string ReadOnlyFileReason() {
  return TtLanguage::Text("the file may not be written", kReadOnlyFileReason);
}

// Longer chains are loops, as the system itself counts them.
constexpr int kMaximumLinks = 40;

std::string ReadLink(const std::string& system_path) {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t length = ::readlink(system_path.c_str(), buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

// Follows symbolic links to the path they end at, which need not exist yet.
std::string FollowLinks(const std::string& path, std::string system_path) {
  for (int links = 0;; ++links) {
    struct stat status;
    if (::lstat(system_path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return system_path;
    if (links == kMaximumLinks) throw TtFileAccessException(path, ELOOP);
    std::string target = ReadLink(system_path);
    if (target.empty()) throw TtFileAccessException(path, errno);
    if (target[0] != '/') {
      size_t slash = system_path.rfind('/');
      target =
          (slash == std::string::npos ? std::string() : system_path.substr(0, slash + 1)) + target;
    }
    system_path = target;
  }
}

// The checked target as the file system spells it.
std::string SystemReplaceTarget(const std::string& path, const std::string& given_system_path) {
  std::string system_path = FollowLinks(path, given_system_path);
  struct stat status;
  if (::stat(system_path.c_str(), &status) != 0) {
    if (errno == ENOENT) return system_path;
    throw TtFileAccessException(path, errno);
  }
  if (!S_ISREG(status.st_mode)) throw TtFileAccessException(path, EINVAL, NotRegularFileReason());
  if ((status.st_mode & 0222) == 0 || ::access(system_path.c_str(), W_OK) != 0) {
    throw TtFileAccessException(path, EACCES, ReadOnlyFileReason());
  }
  return system_path;
}

mode_t NewFileMode(const std::string& system_path) {
  struct stat status;
  if (::stat(system_path.c_str(), &status) == 0) return status.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

int WriteAll(int descriptor, const std::string& text) {
  for (size_t written = 0; written < text.size();) {
    ssize_t result = ::write(descriptor, text.data() + written, text.size() - written);
    if (result < 0 && errno != EINTR) return errno;
    if (result > 0) written += result;
  }
  return 0;
}

Handle OpenRegular(const std::string& path, const std::string& system_path) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer.
  int descriptor = ::open(system_path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) throw TtFileAccessException(path, errno);
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    int error = errno;
    ::close(descriptor);
    if (S_ISDIR(status.st_mode)) throw TtFileAccessException(path, EISDIR);
    throw TtFileAccessException(path, error != 0 ? error : EINVAL, NotRegularFileReason());
  }
  ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
  Handle file(::fdopen(descriptor, "rb"));
  if (!file) {
    int error = errno;
    ::close(descriptor);
    throw TtFileAccessException(path, error);
  }
  return file;
}

void Replace(const std::string& path, const std::string& given_system_path,
             const std::string& text) {
  const std::string system_path = SystemReplaceTarget(path, given_system_path);
  std::string temporary = TemporaryPathBeside(system_path, ".XXXXXX");
  int descriptor = ::mkstemp(temporary.data());
  if (descriptor < 0) throw TtFileAccessException(path, errno);
  int error = ::fchmod(descriptor, NewFileMode(system_path)) != 0 ? errno : 0;
  if (error == 0) error = WriteAll(descriptor, text);
  if (error == 0 && ::fsync(descriptor) != 0) error = errno;
  if (::close(descriptor) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), system_path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw WriteException(path, error);
  }
}

}  // namespace

std::string TemporaryPathBeside(const std::string& system_path, const std::string& suffix) {
  const size_t slash = system_path.rfind('/');
  const size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  const size_t longest_name = NAME_MAX - suffix.size();
  std::string name = system_path.substr(name_start);
  // Bytes, not characters: the file system takes a name cut inside a character.
  if (name.size() > longest_name) name.resize(longest_name);
  return system_path.substr(0, name_start) + name + suffix;
}

Handle OpenRegularFileForReading(const std::string& path) {
  return OpenRegular(path, TtString::ToSystemPath(path));
}

Handle OpenRegularFileForReading(const SystemPath& path) {
  return OpenRegular(TtString::DescribeSystemPath(path.value), path.value);
}

void ReplaceContents(const std::string& path, const std::string& text) {
  Replace(path, TtString::ToSystemPath(path), text);
}

void ReplaceContents(const SystemPath& path, const std::string& text) {
  Replace(TtString::DescribeSystemPath(path.value), path.value, text);
}

std::string ReplaceTarget(const std::string& path) {
  std::string target;
  std::string system_target = SystemReplaceTarget(path, TtString::ToSystemPath(path));
  if (!TtString::TryFromSystemPath(system_target, target)) {
    throw TtFileAccessException(TtString::DescribeSystemPath(system_target), EILSEQ,
                                TtString::UnrepresentablePathReason());
  }
  return target;
}

}  // namespace TtFile
