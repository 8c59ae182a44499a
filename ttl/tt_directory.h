#pragma once
// Listing the entries of a folder that match a wildcard pattern, as full paths.
#include <functional>
#include <string>
#include <vector>

class TtDirectory {
public:
  using Filter = std::function<bool(const std::string& path)>;

  // True for every path that is not a directory: the usual filter for "files only".
  static const Filter FilterNotDirectory;

  explicit TtDirectory(const std::string& path);

  const std::string& GetPath() const { return path_; }

  // The entries of this folder whose names match the pattern (TtPath::MatchSpec) and which the
  // filter accepts, "." and ".." included, in byte order of their names. A folder that does not
  // exist or cannot be read lists nothing; any other failure throws.
  std::vector<std::string> GetFiles(const std::string& pattern, const Filter& filter) const;

  // The same, and every matching subfolder listed the same way right after its own entry.
  std::vector<std::string> GetFilesRecursive(const std::string& pattern,
                                             const Filter& filter) const;

private:
  std::string path_;
};
