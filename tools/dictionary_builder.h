#pragma once
// Builds a dictionary file from public bulk card data that the user has downloaded: the files
// of cards listed by name or by set with their printings (all sets or one), or the bulk file of
// printings in every language. The input is read in pieces, so its size is not limited by memory.
#include <cstdint>
#include <functional>
#include <string>

#include "tools/dictionary_line_writer.h"

namespace Tarvane {

struct DictionaryBuildOptions {
  // Rules text in Japanese where the data has it (English otherwise).
  bool japanese_text = false;
  // Called after each block of input with the bytes read so far and the file's size.
  std::function<void(uint64_t done, uint64_t total)> progress;
};

// Reads input_path and writes the dictionary (CP932, one card per line) to output_path. Paths
// are CP932. The output appears only when the whole input was read: an existing dictionary is
// replaced in one step and stays as it was when the build fails. Throws TtFileAccessException
// when a file cannot be opened, read or written, DictionarySourceException when the input is
// not card data.
DictionaryBuildSummary BuildDictionary(const std::string& input_path,
                                       const std::string& output_path,
                                       const DictionaryBuildOptions& options = {});

}  // namespace Tarvane
