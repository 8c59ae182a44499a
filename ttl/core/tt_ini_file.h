#pragma once
// The settings (INI) file: sections of "key=value" lines. Section and key names compare
// case-insensitively, names are listed in file order, lines that are neither keys nor section
// headers are kept as they are, and every write replaces the whole file atomically, so an
// interrupted write never leaves half a file.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ttl/core/tt_file.h"

class TtIniFile;

// One section of a TtIniFile; valid while its file object lives.
class TtIniSection {
public:
  TtIniSection(TtIniFile& file, const std::string& name);

  const std::string& GetName() const { return name_; }
  std::vector<std::string> GetKeyNames() const;

  std::string GetString(const std::string& key, const std::string& default_value = "") const;
  void SetString(const std::string& key, const std::string& value);
  // Decimal; the default when the key is missing or its value does not start with a number.
  int GetInteger(const std::string& key, int default_value) const;
  void SetInteger(const std::string& key, int value);
  // Stored as "1" or "0"; any non-zero number reads as true.
  bool GetBoolean(const std::string& key, bool default_value) const;
  void SetBoolean(const std::string& key, bool value);
  // Stored in the stream's default form (six significant digits).
  double GetDouble(const std::string& key, double default_value) const;
  void SetDouble(const std::string& key, double value);

  void DeleteKey(const std::string& key);
  void Delete();

private:
  TtIniFile* file_;
  std::string name_;
};

class TtIniFile {
public:
  static constexpr size_t kDefaultBufferSize = 65536;
  // Reads never return more than the read buffer holds; the buffer grows by a quarter while a
  // value fills it, up to this size.
  static constexpr size_t kMaximumBufferSize = 1048576;

  // A relative path is taken against the current folder. The file need not exist: reads then
  // give the defaults and the first write creates it.
  explicit TtIniFile(const std::string& path, size_t initial_buffer_size = kDefaultBufferSize);
  // A file whose name the program may not be able to spell; the path must be absolute.
  explicit TtIniFile(const TtFile::SystemPath& path,
                     size_t initial_buffer_size = kDefaultBufferSize);
  ~TtIniFile();
  TtIniFile(const TtIniFile&) = delete;
  TtIniFile& operator=(const TtIniFile&) = delete;

  const std::string& GetPath() const { return path_; }
  std::vector<std::string> GetSectionNames();
  TtIniSection GetSection(const std::string& name) { return TtIniSection(*this, name); }
  TtIniSection operator[](const std::string& name) { return GetSection(name); }
  // Writes reach the file at once; kept so that callers can say where a file's use ends.
  void Flush() {}

private:
  friend class TtIniSection;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value);
  std::vector<std::string> ReadKeyNames(const std::string& section);
  // Sets a key, deletes it (no value) or deletes the whole section (no key); throws
  // TtWindowsSystemCallException when the file cannot be rewritten.
  void Write(const std::string& section, const std::optional<std::string>& key,
             const std::optional<std::string>& value);

  // The text as the read buffer returns it, growing the buffer while the text fills it.
  std::string FitValue(const std::string& value);
  std::vector<std::string> FitNameList(const std::vector<std::string>& names);

  std::string path_;
  std::string system_path_;
  size_t buffer_size_;
};
