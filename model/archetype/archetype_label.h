#pragma once
// A deck's archetype and how it was decided, so that a player can check the rules.
#include <string>

namespace Tarvane {

enum class ArchetypeHow {
  Header,    // the deck's own ARCHETYPE header
  Rule,      // the one archetype whose conditions the deck meets
  Conflict,  // several archetypes: their names joined, so that overlapping rules show
  Fallback,  // no archetype; the fallback whose common cards the deck plays most
  Unknown,   // neither
  Name,      // no rule folder: the deck's NAME header, else its file name
  Script,    // the start-up or extension script decided it
};

struct ArchetypeLabel {
  std::string name;
  ArchetypeHow how = ArchetypeHow::Name;

  bool operator==(const ArchetypeLabel&) const = default;
};

// The word for the way ("header", "rule", ...), as the command line and scripts write it.
const char* ArchetypeHowWord(ArchetypeHow how);
// The same for the window: 規則, 競合, ...
const char* ArchetypeHowText(ArchetypeHow how);

}  // namespace Tarvane
