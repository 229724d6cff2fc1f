#pragma once
// Creating objects from the enemy kind table, attaching them and changing their kind.
#include <cstdint>

#include "krdxlib/arith.h"

// Sets up the lowest free slot of 64..256 (the spare slot 257 when none is free) as an
// object of the kind at (x, y) and returns the slot. The param is kept only by the kinds
// that use it.
int32_t SpawnObject(int32_t x, int32_t y, int32_t kind, int32_t param);
// The same set-up in a slot the caller chose (a boss's chains and body take runs of slots).
int32_t SpawnObjectIn(int32_t slot, int32_t x, int32_t y, int32_t kind, int32_t param);
// The child follows the parent: it stores the parent slot and its offset in FineX/FineY.
void AttachToParent(int32_t child, int32_t parent);
// New kind and param for an existing object; its age restarts at 0.
void ChangeKind(int32_t slot, int32_t kind, int32_t param);
