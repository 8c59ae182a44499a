#include "script/load_deck.h"

namespace Tarvane {

std::shared_ptr<Deck> LoadDeck(const std::string& path, SquirrelVM& script_host) {
  return Deck::Load(path, script_host.GetCardDatabase(), [&script_host](const Deck& deck) {
    return script_host.CreateDeckProcessor(deck);
  });
}

}  // namespace Tarvane
