// The engine library allocates through three functions of its own, which it calls through its
// symbol table; a program that defines them takes them over for the library. These count every
// block and byte the engine holds and pass the work on to the C library. The names and the
// parameter types (the engine's unsigned integer is unsigned long long) must stay exactly the
// engine's, so they are global and spelt out here instead of taken from the engine's headers.
#include "tests/hardening/engine_allocations.h"

#include <cstdlib>

namespace {

int64_t blocks = 0;
int64_t bytes = 0;

}  // namespace

void* sq_vm_malloc(unsigned long long size) {
  ++blocks;
  bytes += static_cast<int64_t>(size);
  return std::malloc(size);
}

void* sq_vm_realloc(void* pointer, unsigned long long old_size, unsigned long long size) {
  if (!pointer) ++blocks;
  bytes += static_cast<int64_t>(size) - static_cast<int64_t>(old_size);
  return std::realloc(pointer, size);
}

void sq_vm_free(void* pointer, unsigned long long size) {
  if (pointer) {
    --blocks;
    bytes -= static_cast<int64_t>(size);
  }
  std::free(pointer);
}

namespace TarvaneTest {

EngineAllocations CurrentEngineAllocations() { return {blocks, bytes}; }

}  // namespace TarvaneTest
