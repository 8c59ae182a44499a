#include "model/card_database.h"

#include <dirent.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "app/exception.h"
#include "app/program_files.h"
#include "model/card_type.h"
#include "model/dictionary_line.h"
#include "ttl/core/tt_directory.h"
#include "ttl/core/tt_exception.h"
#include "ttl/core/tt_string.h"

namespace Tarvane {

namespace {

using Reasons = CardDatabaseInitializeException;

// A folder listing takes a folder it cannot read for an empty one; the dictionary's would turn
// every card into an unknown one without a word. Only a missing folder holds no cards.
void CheckFolderReadable(const std::string& folder) {
  errno = 0;
  std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(TtString::ToSystemPath(folder).c_str()),
                                                ::closedir);
  if (!directory && errno != ENOENT)
    throw TtFileAccessException(folder, errno != 0 ? errno : EACCES);
}

}  // namespace

CardDatabase::CardDatabase() = default;
CardDatabase::~CardDatabase() = default;
CardDatabase::CardDatabase(CardDatabase&&) noexcept = default;
CardDatabase& CardDatabase::operator=(CardDatabase&&) noexcept = default;

bool CardDatabase::card_exist(const std::string& name) const {
  return cards_.contains(name) || index_.Find(name) != nullptr;
}

const Card& CardDatabase::fetch(const std::string& name) {
  auto found = cards_.find(name);
  if (found != cards_.end()) return found->second;
  if (const DictionaryIndex::Entry* entry = index_.Find(name)) {
    return cards_.emplace(name, ReadDictionaryLine(entry->line())).first->second;
  }
  ++cards_not_in_dictionary_;
  return cards_.emplace(name, Card::MakeUnknown(name)).first->second;
}

void CardDatabase::add_unknown_card(const std::string& name) {
  if (!card_exist(name)) Insert(Card::MakeUnknown(name));
}

bool CardDatabase::Insert(Card card) {
  if (card_exist(card.name)) return false;
  std::string name = card.name;
  cards_.emplace(std::move(name), std::move(card));
  ++cards_not_in_dictionary_;
  return true;
}

void CardDatabase::ForEachKnownName(
    const std::function<void(std::string_view name, std::string_view name_japanese)>& visit) const {
  for (const DictionaryIndex::Entry& entry : index_.entries()) {
    // A checked line holds the Japanese name as its second field.
    std::string_view rest = entry.line().substr(entry.name().size() + 1);
    visit(entry.name(), rest.substr(0, rest.find('\t')));
  }
  for (const auto& [name, card] : cards_) {
    if (card.type != CardType::UnknownCard && !index_.Find(name)) {
      visit(card.name, card.name_japanese);
    }
  }
}

void CardDatabase::LoadDictionary() {
  for (const std::string& folder : ProgramFiles::GetDictionaryFolderPaths()) LoadDictionary(folder);
}

void CardDatabase::LoadDictionary(const std::string& folder) {
  std::vector<std::string> paths;
  try {
    CheckFolderReadable(folder);
    paths = TtDirectory(folder).GetFiles("*.dat", TtDirectory::FilterNotDirectory);
  } catch (const TtFileAccessException& error) {
    // A dictionary file the program cannot name would silently turn its cards into unknown ones.
    throw CardDatabaseInitializeException(error.GetPath(), error.GetReason());
  }
  DictionaryText text;
  size_t bytes = text.Prepare(paths);
  std::vector<DictionaryIndex::Entry> lines;
  lines.reserve(bytes / 64);  // only address space until the lines fill it
  for (const std::string& path : paths) {
    if (const char* reason = CheckDictionaryText(text.ReadFile(path), lines)) {
      throw CardDatabaseInitializeException(path, reason);
    }
  }

  // Only a load that succeeded in every file changes the database. The first card of a name
  // stays, also one that the database held before.
  if (index_.size() > 0 || !cards_.empty()) {
    std::vector<DictionaryIndex::Entry> merged = index_.entries();
    for (const DictionaryIndex::Entry& line : lines) {
      if (!cards_.contains(std::string(line.name()))) merged.push_back(line);
    }
    lines = std::move(merged);
  }
  index_ = DictionaryIndex(std::move(lines));
  text_.Append(std::move(text));
}

}  // namespace Tarvane
