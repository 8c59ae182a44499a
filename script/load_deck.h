#pragma once
// The program's load of a deck list file: into the script host's card database, with the deck
// processor that the script host makes for it.
#include <memory>
#include <string>

#include "model/deck.h"
#include "script/squirrel_vm.h"

namespace Tarvane {

// Deck::Load with SquirrelVM::CreateDeckProcessor as the maker; script failures there are
// TtSquirrel exceptions.
std::shared_ptr<Deck> LoadDeck(const std::string& path, SquirrelVM& script_host);

}  // namespace Tarvane
