// Stand-in until the sound effects land: silence.
#include "audio/effects.h"

void PlayEffect(int32_t) {}
