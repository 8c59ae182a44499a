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
  // A file whose name CP932 cannot spell exactly is never dropped silently: its name is matched
  // against the pattern as TtString::DescribeSystemPath shows it, and each such full path (not
  // the filter's business, since the filter could not reach it; folders are left out) goes into
  // `unrepresentable` when given; without it, the first one is a TtFileAccessException.
  std::vector<std::string> GetFiles(const std::string& pattern, const Filter& filter,
                                    std::vector<std::string>* unrepresentable = nullptr) const;

  // The same, and every matching subfolder listed the same way right after its own entry.
  std::vector<std::string> GetFilesRecursive(
      const std::string& pattern, const Filter& filter,
      std::vector<std::string>* unrepresentable = nullptr) const;

private:
  std::string path_;
};
