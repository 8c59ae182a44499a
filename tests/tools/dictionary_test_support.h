#pragma once
// Helpers of the dictionary builder's tests: fixtures, and the dictionary
// line format checked line by line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace TarvaneTest {

inline std::string FixturePath(const std::string& name) {
  const char* data = std::getenv("TARVANE_TEST_DATA");
  return std::string(data ? data : "tests/data") + "/tools/" + name;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string::npos; start = end + 1) {
    parts.push_back(text.substr(start, end - start));
  }
  parts.push_back(text.substr(start));
  return parts;
}

// Every line as its fields, by the first field.
inline std::map<std::string, std::vector<std::string>> LinesByName(const std::string& dictionary) {
  std::map<std::string, std::vector<std::string>> lines;
  auto all = Split(dictionary, '\n');
  all.pop_back();  // after the last LF
  for (const auto& line : all) {
    auto fields = Split(line, '\t');
    lines.emplace(fields[0], fields);
  }
  return lines;
}

// The rules the program's dictionary loader holds every line to: LF after every line and the
// last, no CR, at most 1023 bytes with the LF, seven fields at least, no empty trailing field
// (it would add an empty paragraph), the mana value a plain decimal integer, no zero byte.
inline void ExpectWellFormedDictionary(const std::string& dictionary) {
  ASSERT_FALSE(dictionary.empty());
  EXPECT_EQ(dictionary.back(), '\n');
  EXPECT_EQ(dictionary.find('\r'), std::string::npos);
  EXPECT_EQ(dictionary.find('\0'), std::string::npos);
  auto lines = Split(dictionary, '\n');
  lines.pop_back();
  for (const auto& line : lines) {
    SCOPED_TRACE(line);
    EXPECT_LE(line.size() + 1, 1023u);
    auto fields = Split(line, '\t');
    ASSERT_GE(fields.size(), 7u);
    EXPECT_FALSE(fields[0].empty());
    ASSERT_FALSE(fields[3].empty());
    EXPECT_EQ(fields[3].find_first_not_of("0123456789"), std::string::npos);
    if (fields.size() > 7) {
      EXPECT_FALSE(fields.back().empty());
    }
  }
}

}  // namespace TarvaneTest
