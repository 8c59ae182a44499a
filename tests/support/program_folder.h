#pragma once
// A scratch folder that acts as the program folder: the program's executable path points at
// <folder>/tarvane while it lives, so the start-up script, dictionary and settings are the
// test's own.
#include <string>

#include "app/program_files.h"
#include "tests/support/scratch_folder.h"

namespace TarvaneTest {

class ProgramFolder {
public:
  ProgramFolder();

  std::string Write(const std::string& name, const std::string& bytes) const {
    return scratch_.Write(name, bytes);
  }
  std::string Join(const std::string& name) const { return scratch_.Join(name); }
  const std::string& Path() const { return scratch_.Path(); }
  std::string Program() const { return scratch_.Join("tarvane"); }
  // The bytes of a file in the folder; empty when there is none.
  std::string Read(const std::string& name) const { return ScratchFolder::Read(Join(name)); }
  void Remove(const std::string& name) const;

  std::string WriteStartupScript(const std::string& text) const {
    return Write("tarvane.nut", text);
  }
  void WriteSettings(const std::string& text) const { Write("tarvane.ini", text); }
  void WriteDictionary(const std::string& lines) const { Write("dictionary/cards.dat", lines); }
  std::string Settings() const { return Read("tarvane.ini"); }

private:
  ScratchFolder scratch_;
  Tarvane::ProgramFiles::Scope scope_;
};

// Six dictionary cards (lands, spells, a creature, a name with quotes), one line each: English
// name, Japanese name, cost, converted cost, type line, type, power and toughness.
std::string TestDictionary();

}  // namespace TarvaneTest
