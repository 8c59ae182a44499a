// Importing a text list of many distinct names: the time per name of a list ten times longer
// against a short one. It stays below 3 when each line finds its card's place by index (larger
// tables cost some cache misses); a search of the board per line makes it about 10.
#include <string>

#include "bench.h"
#include "model/card_database.h"
#include "model/import/card_name_resolver.h"
#include "model/import/deck_list_import.h"

namespace {

std::string ListOfDistinctNames(int count) {
  std::string text;
  for (int number = 0; number < count; ++number)
    text += "1 Unknown Card " + std::to_string(number) + "\n";
  return text;
}

double SecondsToImport(int names, const Tarvane::CardNameResolver& resolver) {
  const std::string text = ListOfDistinctNames(names);
  return TarvaneBench::BestSeconds(3, [&] { Tarvane::ImportDeckList(text, resolver); });
}

}  // namespace

TARVANE_BENCH("import_distinct_names") {
  Tarvane::CardDatabase database;
  Tarvane::CardNameResolver resolver(database);
  const double short_list = SecondsToImport(20000, resolver);
  const double long_list = SecondsToImport(200000, resolver);
  TarvaneBench::PrintFigure("import 20,000 distinct names", "異なる名前 20,000 件のインポート",
                            short_list * 1000, "ms");
  TarvaneBench::PrintFigure("import 200,000 distinct names", "異なる名前 200,000 件のインポート",
                            long_list * 1000, "ms");
  TarvaneBench::PrintRatio("import_distinct_names", (long_list / 200000) / (short_list / 20000),
                           3.0);
}
