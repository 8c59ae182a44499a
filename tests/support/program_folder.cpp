#include "tests/support/program_folder.h"

#include <cstdio>

namespace TarvaneTest {

ProgramFolder::ProgramFolder() : scope_(scratch_.Join("tarvane")) {
  scratch_.MakeFolder("dictionary");
}

void ProgramFolder::Remove(const std::string& name) const { std::remove(Join(name).c_str()); }

std::string TestDictionary() {
  return "Mountain\t山\t\t0\tBasic Land - Mountain\tLand\t\n"
         "Island\t島\t\t0\tBasic Land - Island\tLand\t\n"
         "Lightning Bolt\t稲妻\tR\t1\tInstant\tInstant\t\n"
         "Goblin Guide\tゴブリンの先達\tR\t1\tCreature - Goblin\tCreature\t2/1\n"
         "Counterspell\t対抗呪文\tUU\t2\tInstant\tInstant\t\n"
         "Say \"Cheese\"\t「チーズ」\t1\t1\tSorcery\tSorcery\t\n";
}

}  // namespace TarvaneTest
