// Cell values through SquirrelVM::ComputeCellValue, against the same script calls made directly
// through the engine's C interface in the same run. A refresh of the table computes every cell
// this way, so the host's share of the cost must stay small.
#include <algorithm>
#include <fstream>
#include <memory>
#include <vector>

#include "app/message_reporter.h"
#include "app/program_files.h"
#include "bench.h"
#include "script/squirrel_vm.h"
#include "squirrel/tt_squirrel_engine_object.h"
#include "squirrel/tt_squirrel_native_api.h"

namespace {

const int kRows = 2000;
// Many short alternating rounds, one column each, so that both loops meet the same load on a
// shared machine and each gets some undisturbed rounds.
const int kRounds = 301;

class SilentReporter : public Tarvane::MessageReporter {
public:
  Tarvane::MessageAnswer ShowMessage(const std::string&, const std::string&,
                                     Tarvane::MessageButtons, Tarvane::MessageIcon, bool) override {
    return Tarvane::MessageAnswer::No;
  }
};

const char* const kStartupScript = R"(
class CostProcessor {
  name = "cost"; sorter = null;
  function process_function(entry) { return entry.card.converted_mana_cost; }
}
::Organizer.create_first_column_processor <- function(is_japanese) { return CostProcessor(); }
)";

// The loop a caller would write against the engine by hand for one column.
long long FillDirectly(HSQUIRRELVM handle, HSQOBJECT processor,
                       const std::vector<HSQOBJECT>& rows) {
  long long sum = 0;
  for (const HSQOBJECT& row : rows) {
    sq_pushobject(handle, processor);
    sq_pushstring(handle, "process_function", -1);
    sq_get(handle, -2);
    sq_pushobject(handle, processor);
    sq_pushobject(handle, row);
    if (SQ_FAILED(sq_call(handle, 2, SQTrue, SQTrue))) return -1;
    SQInteger value = 0;
    sq_getinteger(handle, -1, &value);
    sum += value;
    sq_pop(handle, 3);
  }
  return sum;
}

long long FillThroughTheHost(Tarvane::SquirrelVM& vm, const TtSquirrel::Object& processor,
                             const std::vector<std::shared_ptr<Tarvane::Entry>>& rows) {
  long long sum = 0;
  for (const auto& row : rows) sum += vm.ComputeCellValue(processor, *row).integer();
  return sum;
}

}  // namespace

TARVANE_BENCH("cell_value") {
  std::string folder = TarvaneBench::ScratchFolder();
  std::ofstream(folder + "/tarvane.nut") << kStartupScript;
  Tarvane::ProgramFiles::Scope program(folder + "/tarvane");
  SilentReporter reporter;
  {
    Tarvane::SquirrelVM vm(reporter);
    std::vector<std::shared_ptr<Tarvane::Entry>> rows;
    std::vector<HSQOBJECT> row_handles;
    for (int i = 0; i < kRows; ++i) {
      const Tarvane::Card& card = vm.GetCardDatabase().fetch("Card " + std::to_string(i));
      rows.push_back(vm.CreateEntry(card, i % 2));
      row_handles.push_back(TtSquirrel::ToEngineHandle(rows.back()->script_object().GetHandle()));
    }
    const TtSquirrel::Object& processor = vm.GetFirstColumnProcessor();
    HSQOBJECT processor_handle = TtSquirrel::ToEngineHandle(processor.GetHandle());

    long long direct_sum = 0;
    long long host_sum = 0;
    double direct = 1e9;
    double host = 1e9;
    for (int round = 0; round < kRounds; ++round) {
      direct = std::min(direct, TarvaneBench::Seconds([&] {
                          direct_sum = FillDirectly(vm.GetHandle(), processor_handle, row_handles);
                        }));
      host = std::min(
          host, TarvaneBench::Seconds([&] { host_sum = FillThroughTheHost(vm, processor, rows); }));
    }
    if (direct_sum != host_sum)
      TarvaneBench::PrintFigure("cell_value results differ", "cell_value の結果が一致しません", 1,
                                "");
    double cells = kRows;
    TarvaneBench::PrintFigure("cell value, engine C interface",
                              "セルの値 (エンジンの C インターフェース)", direct / cells * 1e9,
                              "ns/cell");
    TarvaneBench::PrintFigure("cell value, SquirrelVM", "セルの値 (SquirrelVM)", host / cells * 1e9,
                              "ns/cell");
    TarvaneBench::PrintFigure("2000 rows x 500 columns, SquirrelVM",
                              "2000 行 x 500 カラム (SquirrelVM)", host / cells * 1e6, "s");
    TarvaneBench::PrintRatio("cell_value", host / direct, 1.6);
  }
}
