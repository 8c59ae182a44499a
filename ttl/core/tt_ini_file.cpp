#include "ttl/core/tt_ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <locale>
#include <memory>
#include <sstream>

#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_file.h"
#include "ttl/core/tt_path.h"
#include "ttl/core/tt_string.h"
#include "ttl/core/tt_utility.h"

namespace {

const char* const kWriteCall = "::WritePrivateProfileString";

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return TtUtility::Cp932EqualsIgnoreCase(a, b);
}

// Names and values are C strings to the profile functions: a zero byte ends a line's text, so
// that a name never holds one (name lists are zero-separated).
std::string TextOfLine(const std::string& line) { return Trim(line.substr(0, line.find('\0'))); }

// "[name]" with optional spaces around the name.
bool ParseSectionHeader(const std::string& line, std::string& name) {
  std::string trimmed = TextOfLine(line);
  if (trimmed.empty() || trimmed[0] != '[') return false;
  size_t close = trimmed.find(']');
  name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

// "key=value"; lines starting with ";" are comments.
bool ParseKeyLine(const std::string& line, std::string& key, std::string& value) {
  std::string trimmed = TextOfLine(line);
  size_t equals = trimmed.find('=');
  if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '[' || equals == std::string::npos) {
    return false;
  }
  key = Trim(trimmed.substr(0, equals));
  value = Trim(trimmed.substr(equals + 1));
  return !key.empty();
}

// The lines of a section: from the line after its header to the next header.
struct SectionRange {
  size_t header;
  size_t end;
};

std::vector<SectionRange> FindSections(const std::vector<std::string>& lines,
                                       const std::string& name) {
  std::vector<SectionRange> ranges;
  std::string header_name;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!ParseSectionHeader(lines[i], header_name)) continue;
    if (!ranges.empty() && ranges.back().end == lines.size()) ranges.back().end = i;
    if (SameName(header_name, name)) ranges.push_back({i, lines.size()});
  }
  return ranges;
}

// A value is one line of the file: a line break in it must not start a line of its own.
std::string OneLine(const std::string& value) {
  std::string line = value;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// The file's text; a missing file is empty. Returns 0 or the error number. Reads treat an
// unreadable file as empty, but a write must not replace a file whose content it could not read.
int ReadWholeFile(const TtFile::SystemPath& path, std::string& text) {
  text.clear();
  TtFile::Handle file;
  try {
    file = TtFile::OpenRegularFileForReading(path);
  } catch (const TtFileAccessException& error) {
    return error.GetErrorNumber() == ENOENT ? 0 : error.GetErrorNumber();
  }
  char buffer[65536];
  size_t read;
  while ((read = std::fread(buffer, 1, sizeof(buffer), file.get())) > 0) text.append(buffer, read);
  if (!std::ferror(file.get())) return 0;
  return errno != 0 ? errno : EIO;
}

std::vector<std::string> ReadLines(const TtFile::SystemPath& system_path) {
  std::string text;
  ReadWholeFile(system_path, text);
  return SplitLines(text);
}

// Through a symbolic link to its target, never over a read-only file or anything but a file.
void ReplaceFile(const TtFile::SystemPath& path, const std::string& text) {
  try {
    TtFile::ReplaceContents(path, text);
  } catch (const TtFileAccessException& error) {
    throw TT_SYSTEM_CALL_ERROR("tt_ini_file", kWriteCall, error.GetErrorNumber());
  }
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    // Reading drops one CR before the line feed; a line that ends in a CR of its own keeps it.
    if (!line.empty() && line.back() == '\r') text += '\r';
    text += '\n';
  }
  return text;
}

void SetKey(std::vector<std::string>& lines, const std::string& section, const std::string& key,
            const std::string& value) {
  std::string line = key + "=" + OneLine(value);
  std::vector<SectionRange> sections = FindSections(lines, section);
  if (sections.empty()) {
    lines.push_back("[" + section + "]");
    lines.push_back(line);
    return;
  }
  SectionRange range = sections.front();
  std::string name, old_value;
  for (size_t i = range.header + 1; i < range.end; ++i) {
    if (ParseKeyLine(lines[i], name, old_value) && SameName(name, key)) {
      lines[i] = line;
      return;
    }
  }
  // A new key goes after the section's last line that is not blank, so that blank lines
  // between sections stay where they are.
  size_t insert = range.end;
  while (insert > range.header + 1 && Trim(lines[insert - 1]).empty()) --insert;
  lines.insert(lines.begin() + insert, line);
}

bool DeleteKeyLines(std::vector<std::string>& lines, const std::string& section,
                    const std::string& key) {
  std::vector<SectionRange> sections = FindSections(lines, section);
  if (sections.empty()) return false;
  bool changed = false;
  std::string name, value;
  for (size_t i = sections.front().end; i-- > sections.front().header + 1;) {
    if (ParseKeyLine(lines[i], name, value) && SameName(name, key)) {
      lines.erase(lines.begin() + i);
      changed = true;
    }
  }
  return changed;
}

bool DeleteSectionLines(std::vector<std::string>& lines, const std::string& section) {
  std::vector<SectionRange> sections = FindSections(lines, section);
  for (auto range = sections.rbegin(); range != sections.rend(); ++range) {
    lines.erase(lines.begin() + range->header, lines.begin() + range->end);
  }
  return !sections.empty();
}

}  // namespace

// ---- TtIniFile ----

TtIniFile::TtIniFile(const std::string& path, size_t initial_buffer_size)
    : path_(TtPath::GetFullPath(path)),
      system_path_(TtString::ToSystemPath(path_)),
      buffer_size_(initial_buffer_size + 1) {}

TtIniFile::TtIniFile(const TtFile::SystemPath& path, size_t initial_buffer_size)
    : path_(TtString::DescribeSystemPath(path.value)),
      system_path_(path.value),
      buffer_size_(initial_buffer_size + 1) {}

TtIniFile::~TtIniFile() { Flush(); }

std::string TtIniFile::FitValue(const std::string& value) {
  for (;;) {
    size_t length = std::min(value.size(), buffer_size_ - 1);
    if (length == buffer_size_ - 1 && buffer_size_ < kMaximumBufferSize) {
      buffer_size_ += buffer_size_ / 4;
      continue;
    }
    return value.substr(0, length);
  }
}

std::vector<std::string> TtIniFile::FitNameList(const std::vector<std::string>& names) {
  // The list as the buffer holds it: every name ended by a zero byte, then one more zero byte.
  std::string list;
  for (const std::string& name : names) list += name + '\0';
  for (;;) {
    size_t length = list.size() + 1 <= buffer_size_ ? list.size() : buffer_size_ - 2;
    if (length == buffer_size_ - 2 && buffer_size_ < kMaximumBufferSize) {
      buffer_size_ += buffer_size_ / 4;
      continue;
    }
    std::vector<std::string> fitted;
    for (size_t start = 0; start < length;) {
      size_t end = std::min(list.find('\0', start), length);
      fitted.push_back(list.substr(start, end - start));
      start = end + 1;
    }
    return fitted;
  }
}

std::vector<std::string> TtIniFile::GetSectionNames() {
  std::vector<std::string> names;
  std::string name;
  for (const std::string& line : ReadLines({system_path_})) {
    if (ParseSectionHeader(line, name)) names.push_back(name);
  }
  return FitNameList(names);
}

std::string TtIniFile::ReadString(const std::string& section, const std::string& key,
                                  const std::string& default_value) {
  std::vector<std::string> lines = ReadLines({system_path_});
  std::vector<SectionRange> sections = FindSections(lines, section);
  if (!sections.empty()) {
    std::string name, value;
    for (size_t i = sections.front().header + 1; i < sections.front().end; ++i) {
      if (ParseKeyLine(lines[i], name, value) && SameName(name, key)) return FitValue(value);
    }
  }
  return FitValue(default_value);
}

std::vector<std::string> TtIniFile::ReadKeyNames(const std::string& section) {
  std::vector<std::string> lines = ReadLines({system_path_});
  std::vector<SectionRange> sections = FindSections(lines, section);
  std::vector<std::string> names;
  if (!sections.empty()) {
    std::string name, value;
    for (size_t i = sections.front().header + 1; i < sections.front().end; ++i) {
      if (ParseKeyLine(lines[i], name, value)) names.push_back(name);
    }
  }
  return FitNameList(names);
}

void TtIniFile::Write(const std::string& section, const std::optional<std::string>& key,
                      const std::optional<std::string>& value) {
  std::string text;
  if (int error = ReadWholeFile({system_path_}, text)) {
    throw TT_SYSTEM_CALL_ERROR("tt_ini_file", kWriteCall, error);
  }
  std::vector<std::string> lines = SplitLines(text);
  bool changed = true;
  if (!key) {
    changed = DeleteSectionLines(lines, section);
  } else if (!value) {
    changed = DeleteKeyLines(lines, section, *key);
  } else {
    SetKey(lines, section, *key, *value);
  }
  if (changed) ReplaceFile({system_path_}, JoinLines(lines));
}

// ---- TtIniSection ----

TtIniSection::TtIniSection(TtIniFile& file, const std::string& name) : file_(&file), name_(name) {}

std::vector<std::string> TtIniSection::GetKeyNames() const { return file_->ReadKeyNames(name_); }

std::string TtIniSection::GetString(const std::string& key,
                                    const std::string& default_value) const {
  return file_->ReadString(name_, key, default_value);
}

void TtIniSection::SetString(const std::string& key, const std::string& value) {
  file_->Write(name_, key, value);
}

int TtIniSection::GetInteger(const std::string& key, int default_value) const {
  std::string text = GetString(key, "");
  const char* begin = text.c_str();
  char* end = nullptr;
  long value = std::strtol(begin, &end, 10);
  if (end == begin) return default_value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

void TtIniSection::SetInteger(const std::string& key, int value) {
  SetString(key, std::to_string(value));
}

bool TtIniSection::GetBoolean(const std::string& key, bool default_value) const {
  return GetInteger(key, default_value ? 1 : 0) != 0;
}

void TtIniSection::SetBoolean(const std::string& key, bool value) {
  SetString(key, value ? "1" : "0");
}

double TtIniSection::GetDouble(const std::string& key, double default_value) const {
  double value;
  return TtUtility::StringToDouble(GetString(key, ""), value) ? value : default_value;
}

void TtIniSection::SetDouble(const std::string& key, double value) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << value;
  SetString(key, text.str());
}

void TtIniSection::DeleteKey(const std::string& key) { file_->Write(name_, key, std::nullopt); }

void TtIniSection::Delete() { file_->Write(name_, std::nullopt, std::nullopt); }
