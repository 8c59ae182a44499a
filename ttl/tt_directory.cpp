#include "tt_directory.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <set>
#include <utility>

#include "tt_exception.h"
#include "tt_path.h"
#include "tt_string.h"

namespace {

using FolderIdentity = std::pair<dev_t, ino_t>;

std::string JoinPath(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The names in a folder as the program spells them, sorted byte-wise. Names that have no CP932
// spelling are left out: the program could not name them anyway.
std::vector<std::string> ReadNames(const std::string& folder) {
  std::string system_folder = TtString::ToSystemPath(folder);
  errno = 0;
  std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(system_folder.c_str()), ::closedir);
  if (!directory) {
    if (errno == ENOENT || errno == EACCES || errno == ENOTDIR) return {};
    throw TT_SYSTEM_CALL_ERROR("tt_directory", "::FindFirstFileEx", errno);
  }
  std::vector<std::string> names;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(directory.get());
    if (!entry) {
      if (errno != 0) throw TT_SYSTEM_CALL_ERROR("tt_directory", "::FindNextFile", errno);
      break;
    }
    std::string name;
    if (TtString::TryUtf8ToCp932(entry->d_name, name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool FolderIdentityOf(const std::string& path, FolderIdentity& identity) {
  std::string system_path;
  struct stat status;
  if (!TtString::TryCp932ToUtf8(path, system_path) || ::stat(system_path.c_str(), &status) != 0 ||
      !S_ISDIR(status.st_mode)) {
    return false;
  }
  identity = {status.st_dev, status.st_ino};
  return true;
}

bool IsSelfOrParent(const std::string& name) { return name == "." || name == ".."; }

void List(const std::string& folder, const std::string& pattern,
          const TtDirectory::Filter& filter, bool recursive, std::set<FolderIdentity>& visited,
          std::vector<std::string>& result) {
  for (const std::string& name : ReadNames(folder)) {
    if (!TtPath::MatchSpec(name, pattern)) continue;
    std::string path = JoinPath(folder, name);
    if (filter(path)) result.push_back(path);
    FolderIdentity identity;
    // The visited set keeps a link that points back up the tree from looping forever.
    if (recursive && !IsSelfOrParent(name) && FolderIdentityOf(path, identity) &&
        visited.insert(identity).second) {
      List(path, pattern, filter, recursive, visited, result);
    }
  }
}

}  // namespace

const TtDirectory::Filter TtDirectory::FilterNotDirectory = [](const std::string& path) {
  return !TtPath::IsDirectory(path);
};

TtDirectory::TtDirectory(const std::string& path) : path_(path) {}

std::vector<std::string> TtDirectory::GetFiles(const std::string& pattern,
                                               const Filter& filter) const {
  std::set<FolderIdentity> visited;
  std::vector<std::string> result;
  List(path_, pattern, filter, false, visited, result);
  return result;
}

std::vector<std::string> TtDirectory::GetFilesRecursive(const std::string& pattern,
                                                        const Filter& filter) const {
  std::set<FolderIdentity> visited;
  FolderIdentity identity;
  if (FolderIdentityOf(path_, identity)) visited.insert(identity);
  std::vector<std::string> result;
  List(path_, pattern, filter, true, visited, result);
  return result;
}
