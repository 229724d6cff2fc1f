#include "tempo.h"

namespace ronvalet {

void Tempo::set(uint32_t microsPerQuarter) {
    tempo = microsPerQuarter;
    bpm = 60000000.0 / microsPerQuarter;
    msPerTick = msPerTickFor(microsPerQuarter, division);
    bpmPerDivision = bpm / division;
}

}  // namespace ronvalet
