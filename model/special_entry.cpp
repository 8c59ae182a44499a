#include "model/special_entry.h"

namespace Tarvane {

namespace {

std::shared_ptr<const Card> MakeOwnCard(int type, const std::string& name,
                                        const std::string& name_japanese) {
  auto card = std::make_shared<Card>();
  card->name = name;
  card->name_japanese = name_japanese;
  card->type = type;
  return card;
}

// Stands in for the own card while the base is built, which happens before the card exists.
const Card kPlaceholderCard;

}  // namespace

SpecialEntry::SpecialEntry(int type, const std::string& name, const std::string& name_japanese,
                           int board_type, const TtSquirrel::Object& script_object)
    : Entry(kPlaceholderCard, board_type, script_object),
      own_card_(MakeOwnCard(type, name, name_japanese)) {
  set_card(*own_card_);
}

}  // namespace Tarvane
