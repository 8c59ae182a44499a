#pragma once
// Converts deck list files (or text from the clipboard) into deck list files of the program's
// format in one folder, one file each, named after the input with the extension ".txt"; the
// decks of an event file become one file each, named by their place and player. A file
// that is already there is replaced only when the caller agrees, and no run writes the same
// file twice, so two inputs never silently become one output.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "model/import/deck_list_import.h"

namespace Tarvane {

class CardNameResolver;

struct DeckListFileImport {
  std::string input;        // the input's path, or what the text was called
  std::string output_path;  // the file written, or that would have been
  DeckListImport result;
  bool written = false;
  std::string failure;  // why nothing was written (CP932); empty when written

  // "input → output", then the conversion's report, then the failure.
  std::string Report() const;
};

// One input file: the lists it held (one, or one per deck of an event file), or why nothing of
// it could be converted.
struct InputFileImport {
  std::string input;
  std::string folder;
  DeckListShape shape = DeckListShape::ProgramFormat;
  std::string event_name;  // CP932; event files only
  std::string event_date;
  std::vector<DeckListFileImport> lists;
  std::string failure;  // the input could not be read or converted at all (CP932)

  // Nothing failed: the input was read and each of its lists written.
  bool AllWritten() const;
  // A deck list's report, or for an event its summary and each deck's problems (CP932).
  std::string Report() const;

private:
  std::string EventReport() const;
};

class DeckListFileImporter {
public:
  // Asked with the output path before an existing file is replaced; true replaces it.
  using ReplaceQuestion = std::function<bool(const std::string& output_path)>;

  // The folder is made, with its parents, when the first file is written.
  DeckListFileImporter(const CardNameResolver& names, std::string folder,
                       ReplaceQuestion may_replace);

  // Every list of the file, each written as its own file.
  InputFileImport ImportFile(const std::string& input_path);
  // Text (from the clipboard) saved as "<deck name>.txt"; the deck name (CP932) becomes the
  // list's "#NAME" unless the text names the deck itself.
  DeckListFileImport ImportText(const std::string& bytes, const std::string& deck_name);

private:
  DeckListFileImport ImportList(const std::string& input_path, DeckListImport list);
  void Write(DeckListFileImport& import);

  const CardNameResolver& names_;
  std::string folder_;
  ReplaceQuestion may_replace_;
  std::set<std::string> written_;
};

}  // namespace Tarvane
