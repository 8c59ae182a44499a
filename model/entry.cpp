#include "model/entry.h"

namespace Tarvane {

Entry::Entry(const Card& card, int board_type, const TtSquirrel::Object& script_object)
    : card_(&card), board_type_(board_type), script_object_(script_object) {}

}  // namespace Tarvane
