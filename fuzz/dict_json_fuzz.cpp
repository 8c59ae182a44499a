// The dictionary builder's JSON reading: the splitter cuts the same pieces however the input is
// fed, the readers take any piece without harm, and every dictionary the builder writes is one
// that the program loads.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "app/exception.h"
#include "fuzz_support.h"
#include "model/card_database.h"
#include "tools/card_collection.h"
#include "tools/card_data_reader.h"
#include "tools/dictionary_builder.h"
#include "tools/dictionary_line_writer.h"
#include "tools/dictionary_record.h"
#include "tools/dictionary_source_exception.h"
#include "tools/json_element_splitter.h"

using TarvaneFuzz::Check;
using namespace Tarvane;

namespace {

struct Split {
  std::vector<std::string> pieces;
  std::string failure;  // the reason of DictionarySourceException, empty when none
};

Split SplitInChunks(std::string_view bytes, size_t chunk) {
  Split split;
  JsonElementSplitter splitter("input.json", [&](const char* json, size_t length, size_t capacity) {
    Check(capacity >= length + JsonElementSplitter::kPadding, "a piece has its padding");
    split.pieces.emplace_back(json, length);
  });
  try {
    for (size_t start = 0; start < bytes.size(); start += chunk) {
      splitter.Feed(bytes.substr(start, chunk));
    }
    splitter.Finish();
  } catch (const DictionarySourceException& e) {
    split.failure = e.GetReason();
  }
  return split;
}

// Reads the pieces as the builder does; false when a piece is broken JSON.
bool ReadPieces(const std::vector<std::string>& pieces, CardCollection& cards) {
  CardDataReader reader;
  for (const std::string& piece : pieces) {
    std::string padded = piece;
    padded.resize(piece.size() + JsonElementSplitter::kPadding);
    try {
      reader.Read(padded.data(), piece.size(), padded.size(), cards, "input.json");
    } catch (const DictionarySourceException&) {
      return false;
    }
  }
  return true;
}

// The program's load of a dictionary folder holding one file.
bool Loads(const std::string& file_name, const std::string& text) {
  auto& scratch = TarvaneFuzz::Scratch::Get();
  scratch.Remove("dictionary");
  std::filesystem::create_directory(scratch.Join("dictionary"));
  if (!text.empty()) scratch.Write("dictionary/" + file_name, text);
  CardDatabase database;
  try {
    database.LoadDictionary(scratch.Join("dictionary"));
  } catch (const CardDatabaseInitializeException&) {
    return false;
  }
  return true;
}

// Every line written fits the loader's format and length.
void CheckWrittenLines(const std::vector<SourceCard>& cards, bool japanese_text) {
  DictionaryBuildSummary summary;
  DictionaryLineWriter writer(summary);
  std::string text;
  for (const SourceCard& card : cards) {
    for (const DictionaryRecord& record : MakeDictionaryRecords(card, japanese_text)) {
      writer.Write(record, text);
    }
  }
  long lines = 0;
  for (size_t start = 0; start < text.size(); ++lines) {
    size_t end = text.find('\n', start);
    Check(end != std::string::npos, "a written line ends with a line feed");
    Check(end - start <= DictionaryLineWriter::kLineLimit, "a written line fits the limit");
    start = end + 1;
  }
  Check(lines == summary.lines, "the summary counts the lines written");
  Check(Loads("written.dat", text), "the program loads every line the builder writes");
}

// The whole build, file to file: it writes a dictionary that loads, or none at all.
void CheckBuild(const std::string& bytes) {
  auto& scratch = TarvaneFuzz::Scratch::Get();
  std::string input = scratch.Write("input.json", bytes);
  std::string output = scratch.Join("built.dat");
  std::filesystem::remove(output);
  try {
    BuildDictionary(input, output);
  } catch (const DictionarySourceException&) {
    Check(!std::filesystem::exists(output), "a failed build writes no dictionary");
    return;
  }
  std::ifstream file(output, std::ios::binary);
  Check(Loads("built.dat", std::string(std::istreambuf_iterator<char>(file), {})),
        "the program loads every dictionary the builder writes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes = TarvaneFuzz::Text(data, size);
  Split whole = SplitInChunks(bytes, bytes.size() + 1);
  Split chunked = SplitInChunks(bytes, 1 + size % 61);
  Check(whole.pieces == chunked.pieces && whole.failure == chunked.failure,
        "the pieces do not depend on how the input arrives");

  CardCollection cards;
  if (ReadPieces(whole.pieces, cards) && whole.failure.empty()) {
    std::vector<SourceCard> taken = cards.TakeCards();
    CheckWrittenLines(taken, false);
    CheckWrittenLines(taken, true);
    CheckBuild(bytes);
  }
  return 0;
}
