// A script function called many times through the script host's Call, against the same calls
// made directly through the engine's C interface in the same run.
#include <algorithm>

#include "bench.h"
#include "squirrel/tt_squirrel_native_api.h"
#include "squirrel/tt_squirrel_virtual_machine.h"

namespace {

const int kCalls = 10000;
const int kRounds = 501;

// The loop a caller would write against the engine by hand: push the function, `this` and the
// argument, call, read the result, drop the result and the function.
long long CallDirectly(HSQUIRRELVM handle, HSQOBJECT function) {
  long long sum = 0;
  for (int i = 0; i < kCalls; ++i) {
    sq_pushobject(handle, function);
    sq_pushroottable(handle);
    sq_pushinteger(handle, i);
    if (SQ_FAILED(sq_call(handle, 2, SQTrue, SQTrue))) {
      return -1;
    }
    SQInteger result = 0;
    sq_getinteger(handle, -1, &result);
    sum += result;
    sq_pop(handle, 2);
  }
  return sum;
}

long long CallThroughTheHost(TtSquirrel::VirtualMachine& machine,
                             const TtSquirrel::Object& function) {
  TtSquirrel::NativeAPI api = machine.GetNativeAPI();
  long long sum = 0;
  for (int i = 0; i < kCalls; ++i) {
    machine.Call([&] { machine.PushObject(function); },
                 [&] {
                   api.PushRootTable();
                   api.PushInteger(i);
                   return 2;
                 },
                 true);
    sum += api.GetInteger(-1);
    api.PopTop();
  }
  return sum;
}

}  // namespace

TARVANE_BENCH("script_call") {
  TtSquirrel::VirtualMachine machine(1024);
  machine.RegisterStandardLibraries();
  TtSquirrel::NativeAPI api = machine.GetNativeAPI();
  machine.RunBuffer(
      "function add_one(n) { return n + 1; }", "bench", [&] { api.PushRootTable(); }, false);
  machine.PushRootSlot("add_one");
  TtSquirrel::Object function = machine.GetTopObject(true);
  HSQOBJECT handle = api.GetStackObject(-1);
  api.PopTop();

  long long direct_sum = 0;
  long long host_sum = 0;
  double direct = 1e9;
  double host = 1e9;
  // Many short alternating rounds, so that both loops meet the same load on a shared machine and
  // each gets some undisturbed rounds.
  for (int round = 0; round < kRounds; ++round) {
    direct = std::min(direct, TarvaneBench::Seconds(
                                  [&] { direct_sum = CallDirectly(machine.GetHandle(), handle); }));
    host = std::min(
        host, TarvaneBench::Seconds([&] { host_sum = CallThroughTheHost(machine, function); }));
  }
  if (direct_sum != host_sum) {
    TarvaneBench::PrintFigure("script_call results differ", "script_call の結果が一致しません", 1,
                              "");
  }
  TarvaneBench::PrintFigure("script call, engine C interface",
                            "スクリプト呼び出し (エンジンの C インターフェース)",
                            direct / kCalls * 1e9, "ns/call");
  TarvaneBench::PrintFigure("script call, host Call", "スクリプト呼び出し (ホストの Call)",
                            host / kCalls * 1e9, "ns/call");
  TarvaneBench::PrintRatio("script_call", host / direct, 1.2);
}
