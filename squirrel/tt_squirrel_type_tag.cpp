#include "squirrel/tt_squirrel_type_tag.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace TtSquirrel {

void* TypeTagOf(const std::type_info& type) {
  static std::map<std::string, std::unique_ptr<std::int32_t>> tags;
  std::unique_ptr<std::int32_t>& token = tags[type.name()];
  if (!token) {
    token = std::make_unique<std::int32_t>(0);
  }
  return token.get();
}

}  // namespace TtSquirrel
