#pragma once
// A row of the analysis table: one card on one board. The row computes nothing by itself; a
// column's script processor yields its value (SquirrelVM::ComputeCellValue).
#include "model/card.h"
#include "squirrel/tt_squirrel_object.h"

namespace Tarvane {

class Entry {
public:
  // The card must outlive the entry (database cards never move or disappear). The script object
  // is the row's instance on the script side, the one whose constructor made this record.
  Entry(const Card& card, int board_type, const TtSquirrel::Object& script_object);
  virtual ~Entry() = default;
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;

  const Card& card() const { return *card_; }
  // Mainboard 0, Sideboard 1 or Hybrid 2.
  int board_type() const { return board_type_; }
  // The row's script instance. The record does not keep it alive by itself: whoever owns the
  // record natively also holds a reference to the instance (SquirrelVM::CreateEntry).
  const TtSquirrel::Object& script_object() const { return script_object_; }

  bool is_normal() const { return card_->is_normal(); }
  bool is_special() const { return card_->is_special(); }

protected:
  // For a derived record whose card is its own and made after this base.
  void set_card(const Card& card) { card_ = &card; }

private:
  const Card* card_;
  int board_type_;
  TtSquirrel::Object script_object_;
};

}  // namespace Tarvane
