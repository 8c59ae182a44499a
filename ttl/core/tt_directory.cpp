#include "ttl/core/tt_directory.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <set>
#include <utility>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"

namespace {

using FolderIdentity = std::pair<dev_t, ino_t>;

std::string JoinPath(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool IsSystemFolder(const std::string& system_path) {
  struct stat status;
  return ::stat(system_path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

struct Names {
  std::vector<std::string> spelled;          // as the program spells them
  std::vector<std::string> unrepresentable;  // described, for the user to read
};

// The names in a folder, sorted byte-wise.
Names ReadNames(const std::string& folder) {
  std::string system_folder = TtString::ToSystemPath(folder);
  errno = 0;
  std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(system_folder.c_str()), ::closedir);
  if (!directory) {
    if (errno == ENOENT || errno == EACCES || errno == ENOTDIR) return {};
    throw TT_SYSTEM_CALL_ERROR("tt_directory", "::FindFirstFileEx", errno);
  }
  Names names;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(directory.get());
    if (!entry) {
      if (errno != 0) throw TT_SYSTEM_CALL_ERROR("tt_directory", "::FindNextFile", errno);
      break;
    }
    std::string name;
    if (TtString::TryFromSystemPath(entry->d_name, name)) {
      names.spelled.push_back(std::move(name));
    } else if (!IsSystemFolder(system_folder + "/" + entry->d_name)) {
      names.unrepresentable.push_back(TtString::DescribeSystemPath(entry->d_name));
    }
  }
  std::sort(names.spelled.begin(), names.spelled.end());
  std::sort(names.unrepresentable.begin(), names.unrepresentable.end());
  return names;
}

bool FolderIdentityOf(const std::string& path, FolderIdentity& identity) {
  std::string system_path;
  struct stat status;
  if (!TtString::TryToSystemPath(path, system_path) || ::stat(system_path.c_str(), &status) != 0 ||
      !S_ISDIR(status.st_mode)) {
    return false;
  }
  identity = {status.st_dev, status.st_ino};
  return true;
}

bool IsSelfOrParent(const std::string& name) { return name == "." || name == ".."; }

struct Listing {
  std::vector<std::string> found;
  std::vector<std::string> unrepresentable;
};

void List(const std::string& folder, const std::string& pattern, const TtDirectory::Filter& filter,
          bool recursive, std::set<FolderIdentity>& visited, Listing& result) {
  Names names = ReadNames(folder);
  for (const std::string& name : names.unrepresentable) {
    if (TtPath::MatchSpec(name, pattern)) result.unrepresentable.push_back(JoinPath(folder, name));
  }
  for (const std::string& name : names.spelled) {
    if (!TtPath::MatchSpec(name, pattern)) continue;
    std::string path = JoinPath(folder, name);
    if (filter(path)) result.found.push_back(path);
    FolderIdentity identity;
    // The visited set keeps a link that points back up the tree from looping forever.
    if (recursive && !IsSelfOrParent(name) && FolderIdentityOf(path, identity) &&
        visited.insert(identity).second) {
      List(path, pattern, filter, recursive, visited, result);
    }
  }
}

std::vector<std::string> Finish(Listing& listing, std::vector<std::string>* unrepresentable) {
  if (unrepresentable) {
    *unrepresentable = std::move(listing.unrepresentable);
  } else if (!listing.unrepresentable.empty()) {
    throw TtFileAccessException(listing.unrepresentable.front(), EILSEQ,
                                TtString::UnrepresentablePathReason());
  }
  return std::move(listing.found);
}

}  // namespace

const TtDirectory::Filter TtDirectory::FilterNotDirectory = [](const std::string& path) {
  return !TtPath::IsDirectory(path);
};

TtDirectory::TtDirectory(const std::string& path) : path_(path) {}

std::vector<std::string> TtDirectory::GetFiles(const std::string& pattern, const Filter& filter,
                                               std::vector<std::string>* unrepresentable) const {
  std::set<FolderIdentity> visited;
  Listing listing;
  List(path_, pattern, filter, false, visited, listing);
  return Finish(listing, unrepresentable);
}

std::vector<std::string> TtDirectory::GetFilesRecursive(
    const std::string& pattern, const Filter& filter,
    std::vector<std::string>* unrepresentable) const {
  std::set<FolderIdentity> visited;
  FolderIdentity identity;
  if (FolderIdentityOf(path_, identity)) visited.insert(identity);
  Listing listing;
  List(path_, pattern, filter, true, visited, listing);
  return Finish(listing, unrepresentable);
}
