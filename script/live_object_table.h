#pragma once
// The native objects that script instances stand for, each under a token: the slot of a table
// and the slot's generation. A script instance keeps the token, never an address, and every use
// looks the object up again, so an instance whose object is gone, or a token kept by a script,
// fails the lookup even when another object now lives at the same address. A token is only
// valid for the class it was issued for.
//
// One table serves the whole process (release hooks, which free owned objects, get nothing but
// the token). Single-threaded, like the script engine.
#include <cstdint>
#include <memory>
#include <vector>

namespace Tarvane {

class LiveObjectTable {
public:
  // How scripts carry a token: the engine's user pointer, which scripts can keep but not make.
  using Token = void*;

  static LiveObjectTable& Shared();

  // A token for the object, live as long as the witness is (the object's owner, or anything
  // that lives exactly as long as the object).
  Token Issue(const void* class_tag, const void* object, std::weak_ptr<const void> witness);
  // A token for an object that the table itself keeps alive until the token is revoked.
  Token IssueOwned(const void* class_tag, std::shared_ptr<const void> object);
  // The object of a live token issued for the class; null for any other token.
  const void* Find(Token token, const void* class_tag);
  // Whether the live token's object is kept alive by the table (IssueOwned).
  bool IsOwned(Token token);
  // Ends the token (and lets an owned object go); an unknown or ended token is ignored.
  void Revoke(Token token);

private:
  struct Slot {
    const void* class_tag = nullptr;
    const void* object = nullptr;
    std::weak_ptr<const void> witness;
    std::shared_ptr<const void> owned;
    std::uint32_t generation = 1;
  };

  Token Place(Slot slot);
  // The slot of a token that is still live, else null (a slot whose witness has gone is freed).
  Slot* LiveSlot(Token token);
  void Free(std::uint32_t index);
  // Frees the slots whose witnesses have gone: a machine's cards, dropped decks.
  void Sweep();

  std::vector<Slot> slots_;
  std::vector<std::uint32_t> free_slots_;
  std::size_t sweep_at_size_ = 1024;
};

}  // namespace Tarvane
