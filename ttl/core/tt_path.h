#pragma once
// Path utilities on the program's CP932 path strings. "/" separates; there are no drives, so the
// drive part of a path is always empty.
#include <string>

class TtPath {
public:
  // Parts of a path for SelectParts; combine with |.
  enum Part : unsigned {
    Drive = 1,
    Directory = 2,  // with its trailing "/"
    BaseName = 4,   // the file name without its extension
    Extension = 8,  // with its leading "."
  };

  static bool IsDirectory(const std::string& path);
  // A bare file name: no "/" anywhere.
  static bool IsFileSpec(const std::string& path);
  static bool IsRelative(const std::string& path);
  static bool IsRoot(const std::string& path);
  // Wildcard match of the file name part ("*", "?"), ASCII letters compared case-insensitively;
  // a pattern ending in ".*" also matches names without a dot, so "*.*" matches every name.
  static bool MatchSpec(const std::string& path, const std::string& pattern);
  static bool FileExists(const std::string& path);

  // The part after the last "/".
  static std::string FindFileName(const std::string& path);
  // The file name's extension from its last "." (".dat"), or empty.
  static std::string FindExtension(const std::string& path);
  // The path re-assembled from the parts selected by the mask.
  static std::string SelectParts(const std::string& path, unsigned parts);
  // Drive and directory without one trailing "/"; "." when that leaves nothing. The root folder
  // stays "/", since "." would name the current folder instead.
  static std::string GetDirectoryName(const std::string& path);
  // Drive, directory and base name, then "." and the new extension.
  static std::string ChangeExtension(const std::string& path, const std::string& extension);
  static std::string RemoveExtension(const std::string& path);
  // "." and ".." components resolved as text, repeated "/" folded.
  static std::string Canonicalize(const std::string& path);
  // Shortened to at most width bytes for display, with "..." standing for what was left out.
  static std::string CompactPath(const std::string& path, size_t width);
  // Wrapped in double quotes when it contains a space.
  static std::string QuoteSpaces(const std::string& path);
  // The relative path from one path (a directory or a file) to another, "./" or "../" first.
  // False, with an empty result, when no relative path exists (one absolute, one relative).
  static bool RelativePathTo(const std::string& from, bool from_is_directory, const std::string& to,
                             bool to_is_directory, std::string& result);
  // A relative path made absolute against the current folder, then canonicalised.
  static std::string GetFullPath(const std::string& path);

  // The running executable (/proc/self/exe) and the names derived from it.
  // A TtFileAccessException when the executable's folder has a name CP932 cannot spell.
  static std::string GetExecutableFilePath();
  // The executable's path as the file system spells it, for the few writes that must work even
  // in a folder whose name the program cannot spell (the error log).
  static std::string GetExecutableSystemFilePath();
  static std::string GetExecutableFilePathWithoutExtension();
  static std::string GetExecutableFilePathWithExtension(const std::string& extension);
  static std::string GetExecutableDirectory();
};
