// The analysis table at metagame size: 1,000 generated deck lists of 75 cards over a 30,000-card
// dictionary, every deck as a column (about 1,500 rows by 1,001 columns), a refresh and a sort.
// The refresh and the sort are each set against the same script calls made directly through
// the engine's C interface in the same run, so the ratio is the table's cost per script call.
#include <squirrel.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/program_files.h"
#include "bench.h"
#include "bench_table_support.h"
#include "model/deck.h"
#include "script/squirrel_vm.h"
#include "squirrel/tt_squirrel_engine_object.h"
#include "table/analysis_table.h"
#include "ttl/core/tt_list_view_store.h"
#include "ttl/core/tt_path.h"

namespace {

const int kDictionaryCards = 30000;
const int kDecks = 1000;
// Main decks draw from the first cards of the dictionary, sideboards from the next ones, so the
// table has about 1,000 main rows and 480 sideboard rows.
const int kMainPool = 1000;
const int kSidePool = 480;
// Rounds of each measurement, the two sides taking turns to go first; the best of each counts.
const int kRounds = 4;
// The sort is short, so it takes more rounds to meet a quiet moment.
const int kSortRounds = 15;

std::string CardName(int index) {
  char name[32];
  std::snprintf(name, sizeof name, "Generated Card %05d", index);
  return name;
}

// The program folder: the dictionary, the shipped start-up script, the deck lists.
std::vector<std::string> GenerateProgramFolder(const std::string& folder,
                                               const std::string& startup_script) {
  TarvaneBench::WriteDictionaryAndScript(folder, "generated.dat", kDictionaryCards, CardName,
                                         "生成カード", startup_script);

  std::mt19937 random(20240601);
  std::vector<std::string> paths;
  for (int deck = 0; deck < kDecks; ++deck) {
    std::vector<int> main(kMainPool), side(kSidePool);
    for (int i = 0; i < kMainPool; ++i) main[i] = i;
    for (int i = 0; i < kSidePool; ++i) side[i] = kMainPool + i;
    std::shuffle(main.begin(), main.end(), random);
    std::shuffle(side.begin(), side.end(), random);
    std::string text = "#NAME Deck " + std::to_string(deck + 1) + "\n";
    for (int i = 0; i < 15; ++i) text += "4 " + CardName(main[i]) + "\n";
    text += "\n";
    for (int i = 0; i < 15; ++i) text += "1 " + CardName(side[i]) + "\n";
    paths.push_back(folder + "/decks/deck" + std::to_string(deck + 1) + ".txt");
    TarvaneBench::WriteFile(paths.back(), text);
  }
  return paths;
}

// The table's script calls as a caller writes them against the engine by hand: the callee
// looked up on its object, `this` and the arguments pushed, the call, the result read.
class DirectEngine {
public:
  explicit DirectEngine(Tarvane::SquirrelVM& machine) : vm_(machine.GetHandle()) {}
  ~DirectEngine() { ReleaseEntries(); }

  long long calls() const { return calls_; }

  // process_function(entry), then case_of_cannot_process(processor) for a null result.
  void CellValue(HSQOBJECT processor, HSQOBJECT entry) {
    const SQInteger top = sq_gettop(vm_);
    CallMember(processor, "process_function", &entry, 1);
    if (sq_gettype(vm_, -1) == OT_NULL) {
      sq_settop(vm_, top);
      CallMember(entry, "case_of_cannot_process", &processor, 1);
    }
    switch (sq_gettype(vm_, -1)) {
      case OT_STRING: {
        const SQChar* text = nullptr;
        sq_getstring(vm_, -1, &text);
        sink_ += text ? text[0] : 0;
        break;
      }
      case OT_INTEGER: {
        SQInteger integer = 0;
        sq_getinteger(vm_, -1, &integer);
        sink_ += integer;
        break;
      }
      case OT_FLOAT: {
        SQFloat number = 0;
        sq_getfloat(vm_, -1, &number);
        sink_ += static_cast<long long>(number);
        break;
      }
      default:
        break;
    }
    sq_settop(vm_, top);
  }

  int Compare(HSQOBJECT sorter, HSQOBJECT a, HSQOBJECT b) {
    const SQInteger top = sq_gettop(vm_);
    HSQOBJECT arguments[] = {a, b};
    CallMember(sorter, "compare_for_sort", arguments, 2);
    int result = 0;
    if (sq_gettype(vm_, -1) == OT_INTEGER) {
      SQInteger integer = 0;
      sq_getinteger(vm_, -1, &integer);
      result = integer < 0 ? -1 : integer > 0 ? 1 : 0;
    } else if (sq_gettype(vm_, -1) == OT_FLOAT) {
      SQFloat number = 0;
      sq_getfloat(vm_, -1, &number);
      result = number < 0 ? -1 : number > 0 ? 1 : 0;
    }
    sq_settop(vm_, top);
    return result;
  }

  // ::Entry(card token, board type), kept until the next round as the table keeps its rows.
  void CreateEntry(Tarvane::LiveObjectTable::Token card, int board_type) {
    const SQInteger top = sq_gettop(vm_);
    sq_pushroottable(vm_);
    sq_pushstring(vm_, "Entry", -1);
    sq_get(vm_, -2);
    sq_pushroottable(vm_);
    sq_pushuserpointer(vm_, card);
    sq_pushinteger(vm_, board_type);
    Check(sq_call(vm_, 3, SQTrue, SQTrue));
    ++calls_;
    HSQOBJECT instance;
    sq_getstackobj(vm_, -1, &instance);
    sq_addref(vm_, &instance);
    entries_.push_back(instance);
    sq_settop(vm_, top);
  }

  void ReleaseEntries() {
    for (HSQOBJECT& instance : entries_) sq_release(vm_, &instance);
    entries_.clear();
  }

private:
  void CallMember(HSQOBJECT target, const char* name, const HSQOBJECT* arguments, int count) {
    sq_pushobject(vm_, target);
    sq_pushstring(vm_, name, -1);
    Check(sq_get(vm_, -2));
    sq_remove(vm_, -2);
    sq_pushobject(vm_, target);
    for (int i = 0; i < count; ++i) sq_pushobject(vm_, arguments[i]);
    Check(sq_call(vm_, count + 1, SQTrue, SQTrue));
    ++calls_;
  }
  void Check(SQRESULT result) {
    if (SQ_FAILED(result)) {
      std::fprintf(stderr, "direct engine call failed\n");
      std::exit(1);
    }
  }

  HSQUIRRELVM vm_;
  long long calls_ = 0;
  long long sink_ = 0;
  std::vector<HSQOBJECT> entries_;
};

HSQOBJECT Handle(const TtSquirrel::Object& object) {
  return TtSquirrel::ToEngineHandle(object.GetHandle());
}

HSQOBJECT EntryHandle(TtWin::LPARAM data) {
  return Handle(reinterpret_cast<const Tarvane::Entry*>(data)->script_object());
}

// The same work as a refresh, made directly: the rows' entries, every cell (each row's instance
// read from its list item, as the table reads it), the sort of the rows in building order with
// the current sorter.
void DirectRefresh(DirectEngine& engine, Tarvane::SquirrelVM& vm,
                   const Tarvane::AnalysisTable& table, const TtListViewStore& list,
                   HSQOBJECT sorter) {
  engine.ReleaseEntries();
  for (const std::shared_ptr<Tarvane::Entry>& row : vm.GetRows()) {
    if (!row->is_special()) engine.CreateEntry(vm.CardToken(row->card()), row->board_type());
  }
  for (const auto& column : table.GetColumns()) {
    const HSQOBJECT processor = Handle(column->processor);
    for (int item = 0; item < list.GetItemCount(); ++item) {
      engine.CellValue(processor, EntryHandle(list.GetItemData(item)));
    }
  }
  TtListViewStore building_order;
  for (const auto& row : vm.GetRows()) {
    building_order.InsertItem(-1, reinterpret_cast<TtWin::LPARAM>(row.get()));
  }
  building_order.SortItems([&](TtWin::LPARAM a, TtWin::LPARAM b) {
    return engine.Compare(sorter, EntryHandle(a), EntryHandle(b));
  });
}

// Puts the list's items back into a recorded order of their data.
void RestoreOrder(TtListViewStore& list, const std::vector<TtWin::LPARAM>& order) {
  std::unordered_map<TtWin::LPARAM, int> position;
  for (size_t i = 0; i < order.size(); ++i) position[order[i]] = static_cast<int>(i);
  list.SortItems([&](TtWin::LPARAM a, TtWin::LPARAM b) { return position[a] - position[b]; });
}

std::vector<TtWin::LPARAM> ItemOrder(const TtListViewStore& list) {
  std::vector<TtWin::LPARAM> order;
  for (int item = 0; item < list.GetItemCount(); ++item) order.push_back(list.GetItemData(item));
  return order;
}

}  // namespace

TARVANE_BENCH("table") {
  const std::string shipped_script = TarvaneBench::ShippedStartupScript();
  if (shipped_script.empty()) return;
  const std::string folder = TarvaneBench::ScratchFolder() + "/table";
  std::vector<std::string> paths;
  TarvaneBench::PrintFigure(
      "generate metagame", "メタゲームの生成",
      TarvaneBench::Seconds([&] { paths = GenerateProgramFolder(folder, shipped_script); }), "s");

  TarvaneBench::ResetPeakResidentMemory();
  Tarvane::ProgramFiles::Scope program(folder + "/tarvane");
  TarvaneBench::CountingReporter reporter;
  TarvaneBench::SilentStatusBar status_bar;
  TtListViewStore list;
  std::unique_ptr<Tarvane::SquirrelVM> vm;
  std::unique_ptr<Tarvane::AnalysisTable> table;
  TarvaneBench::PrintFigure("start-up and reset", "起動とリセット", TarvaneBench::Seconds([&] {
                              vm = std::make_unique<Tarvane::SquirrelVM>(reporter);
                              table =
                                  std::make_unique<Tarvane::AnalysisTable>(*vm, list, status_bar);
                              table->Reset();
                            }),
                            "s");
  TarvaneBench::PrintFigure("load 1,000 deck lists", "1,000 デッキリストの読み込み",
                            TarvaneBench::Seconds([&] { table->AddDeckFiles(paths); }), "s");
  TarvaneBench::PrintFigure("all decks as columns", "全デッキをカラムに",
                            TarvaneBench::Seconds([&] { table->AddAllDeckColumns(); }), "s");
  TarvaneBench::PrintFigure("rows", "行数", list.GetItemCount(), "");
  TarvaneBench::PrintFigure("columns", "カラム数", list.GetColumnCount(), "");

  DirectEngine engine(*vm);
  const HSQOBJECT refresh_sorter = Handle(table->GetCurrentSorter()->object());
  double refresh = 1e9, direct_refresh = 1e9;
  long long refresh_calls = 0;
  for (int round = 0; round < kRounds; ++round) {
    auto host = [&] {
      refresh = std::min(refresh, TarvaneBench::Seconds([&] { table->Refresh(); }));
    };
    auto direct = [&] {
      const long long before = engine.calls();
      direct_refresh = std::min(direct_refresh, TarvaneBench::Seconds([&] {
                                  DirectRefresh(engine, *vm, *table, list, refresh_sorter);
                                }));
      refresh_calls = engine.calls() - before;
    };
    TarvaneBench::InTurn(round, host, direct);
  }
  engine.ReleaseEntries();
  TarvaneBench::PrintFigure("refresh", "再表示", refresh, "s");
  TarvaneBench::PrintFigure("refresh, direct engine calls", "再表示 (エンジン直接呼び出し)",
                            direct_refresh, "s");
  TarvaneBench::PrintFigure("refresh, script calls", "再表示のスクリプト呼び出し回数",
                            static_cast<double>(refresh_calls), "");
  TarvaneBench::PrintFigure("refresh, per script call", "再表示 (スクリプト呼び出し 1 回あたり)",
                            refresh / refresh_calls * 1e9, "ns");
  TarvaneBench::PrintRatio("table_refresh", refresh / direct_refresh, 1.3);

  // A click on the first deck's header, from the order the refresh left.
  const std::vector<TtWin::LPARAM> start_order = ItemOrder(list);
  const HSQOBJECT deck_sorter = Handle(vm->GetSorter(table->GetColumns()[1]->processor));
  double sort = 1e9, direct_sort = 1e9;
  long long sort_calls = 0;
  for (int round = 0; round < kSortRounds; ++round) {
    RestoreOrder(list, start_order);
    sort = std::min(sort, TarvaneBench::Seconds([&] { table->SortByColumn(1); }));
    TtListViewStore direct_list;
    for (TtWin::LPARAM data : start_order) direct_list.InsertItem(-1, data);
    const long long before = engine.calls();
    direct_sort = std::min(direct_sort, TarvaneBench::Seconds([&] {
                             direct_list.SortItems([&](TtWin::LPARAM a, TtWin::LPARAM b) {
                               return engine.Compare(deck_sorter, EntryHandle(a), EntryHandle(b));
                             });
                           }));
    sort_calls = engine.calls() - before;
  }
  TarvaneBench::PrintFigure("sort", "並び替え", sort, "s");
  TarvaneBench::PrintFigure("sort, direct engine calls", "並び替え (エンジン直接呼び出し)",
                            direct_sort, "s");
  TarvaneBench::PrintFigure("sort, comparisons", "並び替えの比較回数",
                            static_cast<double>(sort_calls), "");
  TarvaneBench::PrintRatio("table_sort", sort / direct_sort, 1.3);

  if (reporter.messages > 0) {
    TarvaneBench::PrintFigure("messages shown (expected none)", "表示されたメッセージ (ないはず)",
                              reporter.messages, "");
  }
  const double peak_gigabytes = TarvaneBench::PeakResidentBytes() / (1024.0 * 1024.0 * 1024.0);
  TarvaneBench::PrintFigure("peak memory (target 1.5 GB)", "最大メモリ (目標 1.5 GB)",
                            peak_gigabytes * 1024.0, "MB");
  table.reset();
  vm.reset();
}
