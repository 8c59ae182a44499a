#pragma once
// A computed row, such as a total per card type, made by a script. Its card is a record of its
// own whose type code places the row in the sort order.
#include <memory>
#include <string>

#include "model/entry.h"

namespace Tarvane {

class SpecialEntry : public Entry {
public:
  // The own card gets the type code and both names; every other field stays empty or 0. The row
  // starts hidden.
  SpecialEntry(int type, const std::string& name, const std::string& name_japanese, int board_type,
               const TtSquirrel::Object& script_object);

  // The own card, shared so that it can outlive the row: the script's Card instance for it
  // points at it too.
  const std::shared_ptr<const Card>& own_card() const { return own_card_; }

  // Whether the row is shown: taken from the script once at start-up, then changed only by the
  // special entry dialog.
  bool use() const { return use_; }
  void set_use(bool use) { use_ = use; }

private:
  std::shared_ptr<const Card> own_card_;
  bool use_ = false;
};

}  // namespace Tarvane
