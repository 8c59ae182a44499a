#pragma once
// What the script engine holds from the system allocator right now, counted by the test program
// (engine_allocations.cpp takes over the engine's allocation functions).
#include <cstdint>

namespace TarvaneTest {

struct EngineAllocations {
  int64_t blocks = 0;
  int64_t bytes = 0;
};

EngineAllocations CurrentEngineAllocations();

}  // namespace TarvaneTest
