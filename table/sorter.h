#pragma once
// A script sort rule that the table keeps: the current sorter, or the data of a sort menu item.
#include "squirrel/tt_squirrel_object.h"

namespace Tarvane {

class Sorter {
public:
  // Keeps an engine reference to the script sorter for as long as this object lives.
  explicit Sorter(const TtSquirrel::Object& object) : object_(object) {}

  const TtSquirrel::Object& object() const { return object_; }

private:
  TtSquirrel::Object object_;
};

}  // namespace Tarvane
