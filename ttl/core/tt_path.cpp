#include "ttl/core/tt_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_string.h"
#include "ttl/core/tt_utility.h"

namespace {

struct SplitPath {
  std::string directory;  // up to and including the last "/"
  std::string base_name;
  std::string extension;  // from the last ".", or empty
};

SplitPath Split(const std::string& path) {
  SplitPath split;
  size_t slash = path.rfind('/');
  size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  split.directory = path.substr(0, name_start);
  std::string name = path.substr(name_start);
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || name == "." || name == "..") {
    split.base_name = name;
  } else {
    split.base_name = name.substr(0, dot);
    split.extension = name.substr(dot);
  }
  return split;
}

// A path that cannot be named on the file system cannot exist either.
bool ToSystemPathIfPossible(const std::string& path, std::string& system_path) {
  return TtString::TryToSystemPath(path, system_path);
}

// The characters of a CP932 text: one byte, or two for a lead byte followed by a second byte.
std::vector<std::string> Cp932Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (size_t i = 0; i < text.size();) {
    size_t length =
        TtUtility::IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2
                                                                                               : 1;
    characters.push_back(text.substr(i, length));
    i += length;
  }
  return characters;
}

bool SameCharacter(const std::string& a, const std::string& b) {
  return TtUtility::Cp932EqualsIgnoreCase(a, b);
}

// Wildcard matching with backtracking to the last "*".
bool MatchCharacters(const std::vector<std::string>& name,
                     const std::vector<std::string>& pattern) {
  size_t n = 0, s = 0;
  size_t star = std::string::npos, star_name = 0;
  while (n < name.size()) {
    if (s < pattern.size() && pattern[s] == "*") {
      star = s++;
      star_name = n;
    } else if (s < pattern.size() && (pattern[s] == "?" || SameCharacter(pattern[s], name[n]))) {
      ++s;
      ++n;
    } else if (star != std::string::npos) {
      s = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (s < pattern.size() && pattern[s] == "*") ++s;
  return s == pattern.size();
}

// The longest prefix of at most width bytes that does not split a two-byte character.
std::string Cp932Prefix(const std::string& text, size_t width) {
  std::string prefix;
  for (const std::string& character : Cp932Characters(text)) {
    if (prefix.size() + character.size() > width) break;
    prefix += character;
  }
  return prefix;
}

std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> components;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    if (slash > start) components.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return components;
}

std::string Join(const std::vector<std::string>& components, size_t from) {
  std::string joined;
  for (size_t i = from; i < components.size(); ++i) {
    if (!joined.empty()) joined += '/';
    joined += components[i];
  }
  return joined;
}

}  // namespace

bool TtPath::IsDirectory(const std::string& path) {
  std::string system_path;
  struct stat status;
  return ToSystemPathIfPossible(path, system_path) && ::stat(system_path.c_str(), &status) == 0 &&
         S_ISDIR(status.st_mode);
}

bool TtPath::IsFileSpec(const std::string& path) { return path.find('/') == std::string::npos; }

bool TtPath::IsRelative(const std::string& path) { return path.empty() || path[0] != '/'; }

bool TtPath::IsRoot(const std::string& path) {
  return !path.empty() && path.find_first_not_of('/') == std::string::npos;
}

bool TtPath::MatchSpec(const std::string& path, const std::string& pattern) {
  std::string name = FindFileName(path);
  if (MatchCharacters(Cp932Characters(name), Cp932Characters(pattern))) return true;
  // "name.*" also matches a name without any extension.
  bool spec_allows_no_extension =
      pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0;
  return spec_allows_no_extension && name.find('.') == std::string::npos &&
         MatchCharacters(Cp932Characters(name),
                         Cp932Characters(pattern.substr(0, pattern.size() - 2)));
}

bool TtPath::FileExists(const std::string& path) {
  std::string system_path;
  return ToSystemPathIfPossible(path, system_path) && ::access(system_path.c_str(), F_OK) == 0;
}

std::string TtPath::FindFileName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TtPath::FindExtension(const std::string& path) { return Split(path).extension; }

std::string TtPath::SelectParts(const std::string& path, unsigned parts) {
  SplitPath split = Split(path);
  std::string result;
  if (parts & Directory) result += split.directory;
  if (parts & BaseName) result += split.base_name;
  if (parts & Extension) result += split.extension;
  return result;
}

std::string TtPath::GetDirectoryName(const std::string& path) {
  std::string directory = SelectParts(path, Drive | Directory);
  if (IsRoot(directory)) return "/";
  if (!directory.empty() && directory.back() == '/') directory.pop_back();
  return directory.empty() ? "." : directory;
}

std::string TtPath::ChangeExtension(const std::string& path, const std::string& extension) {
  return RemoveExtension(path) + "." + extension;
}

std::string TtPath::RemoveExtension(const std::string& path) {
  return SelectParts(path, Drive | Directory | BaseName);
}

std::string TtPath::Canonicalize(const std::string& path) {
  bool absolute = !IsRelative(path);
  std::vector<std::string> result;
  for (const std::string& component : Components(path)) {
    if (component == ".") continue;
    if (component == "..") {
      if (!result.empty() && result.back() != "..") {
        result.pop_back();
      } else if (!absolute) {
        result.push_back(component);  // a relative path may climb above its start
      }
      continue;
    }
    result.push_back(component);
  }
  std::string joined = Join(result, 0);
  if (absolute) {
    joined = "/" + joined;
  } else if (joined.empty()) {
    return ".";
  }
  if (path.back() == '/' && joined.back() != '/') joined += '/';
  return joined;
}

std::string TtPath::CompactPath(const std::string& path, size_t width) {
  if (path.size() <= width) return path;
  const std::string ellipsis = "...";
  if (width < ellipsis.size()) return ellipsis.substr(0, width);
  std::string name = FindFileName(path);
  std::string tail = name.size() < path.size() ? "/" + name : name;
  if (tail.size() + ellipsis.size() > width) {
    return Cp932Prefix(name, width - ellipsis.size()) + ellipsis;
  }
  std::string head = path.substr(0, path.size() - tail.size());
  return Cp932Prefix(head, width - ellipsis.size() - tail.size()) + ellipsis + tail;
}

std::string TtPath::QuoteSpaces(const std::string& path) {
  return path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

bool TtPath::RelativePathTo(const std::string& from, bool from_is_directory, const std::string& to,
                            bool /*to_is_directory*/, std::string& result) {
  result.clear();
  if (IsRelative(from) != IsRelative(to)) return false;
  std::vector<std::string> from_parts =
      Components(Canonicalize(from_is_directory ? from : GetDirectoryName(from)));
  std::vector<std::string> to_parts = Components(Canonicalize(to));
  size_t common = 0;
  while (common < from_parts.size() && common < to_parts.size() &&
         from_parts[common] == to_parts[common]) {
    ++common;
  }
  std::string climb;
  for (size_t i = common; i < from_parts.size(); ++i) {
    // A ".." left in the starting folder names a folder we cannot climb back down from.
    if (from_parts[i] == "..") return false;
    climb += "../";
  }
  std::string rest = Join(to_parts, common);
  if (climb.empty()) climb = "./";
  result = rest.empty() ? climb.substr(0, climb.size() - 1) : climb + rest;
  return true;
}

std::string TtPath::GetFullPath(const std::string& path) {
  if (!IsRelative(path)) return Canonicalize(path);
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) throw TT_SYSTEM_CALL_ERROR("tt_path", "::GetCurrentDirectory", errno);
    buffer.resize(buffer.size() * 2);
  }
  return Canonicalize(TtString::FromSystemPath(buffer.data()) + "/" + path);
}

std::string TtPath::GetExecutableFilePath() {
  return TtString::FromSystemPath(GetExecutableSystemFilePath());
}

std::string TtPath::GetExecutableSystemFilePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) throw TT_SYSTEM_CALL_ERROR("tt_path", "::GetModuleFileName", errno);
    if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string TtPath::GetExecutableFilePathWithoutExtension() {
  return RemoveExtension(GetExecutableFilePath());
}

std::string TtPath::GetExecutableFilePathWithExtension(const std::string& extension) {
  return ChangeExtension(GetExecutableFilePath(), extension);
}

std::string TtPath::GetExecutableDirectory() { return GetDirectoryName(GetExecutableFilePath()); }
