#pragma once
// Opening files for reading and replacing files whole, with the checks that keep the program
// from hanging on something that is not a file or from writing over what it must not.
#include <cstdio>
#include <memory>
#include <string>

#include "ttl/core/tt_exception.h"

namespace TtFile {

// A replacing write that failed after its temporary file was made: the text did not reach the
// disk (disk full) or could not take the target's place. The target is untouched.
class WriteException : public TtFileAccessException {
public:
  using TtFileAccessException::TtFileAccessException;
};

// A path as the file system spells it, for the few files the program must reach even when
// CP932 cannot spell their names (the error log in such a folder). Errors then name the path
// as TtString::DescribeSystemPath shows it.
struct SystemPath {
  std::string value;
};

struct Closer {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using Handle = std::unique_ptr<std::FILE, Closer>;

// The file opened for reading bytes. Only a regular file is opened: a FIFO, a device or a
// folder is refused at once, without waiting for a writer or reading forever. Throws
// TtFileAccessException with the path and the reason.
Handle OpenRegularFileForReading(const std::string& path);
Handle OpenRegularFileForReading(const SystemPath& path);

// The file a replacing write goes to: a symbolic link is followed to its end, so the link stays
// a link. An existing target must be a regular file that the user may write; a file without
// any write permission counts as read-only even for a user whom the system would let write it.
// Throws TtFileAccessException otherwise.
std::string ReplaceTarget(const std::string& path);

// Replaces the file at ReplaceTarget(path) with the text: written to a temporary file beside
// it, which is renamed over the target only when the whole text has reached the disk, so a
// failed write leaves the old file whole. An existing file keeps its permissions. Throws
// TtFileAccessException with the path as given when the file cannot be made, WriteException when
// the writing failed.
void ReplaceContents(const std::string& path, const std::string& text);
void ReplaceContents(const SystemPath& path, const std::string& text);

// A temporary file's path beside the file (both as the file system spells them): the file name
// with the suffix, the name cut short when it would pass the system's limit on a name's length,
// so that a file with a long but legal name can still be replaced.
std::string TemporaryPathBeside(const std::string& system_path, const std::string& suffix);

// The reasons given for the refusals above, in Japanese; the exceptions carry them in the
// language of the program's messages.
extern const char kNotRegularFileReason[];
extern const char kReadOnlyFileReason[];

}  // namespace TtFile
