// The contact pass: slots 64..256 against the first ship and the ship shots.
#include "world/passes.h"

void ContactPass() {}
