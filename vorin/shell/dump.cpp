#include "shell/dump.h"

#include "shell/hooks.h"
#include "shell/input.h"
#include "shell/shell.h"
#include "world/dump.h"
#include "zvcommon/config.h"

void DumpSettings(JsonOut& j) {
    j.Key("Settings").BeginObject();
    j.Field("ButtonA", Settings.ButtonA).Field("ButtonB", Settings.ButtonB);
    j.Field("ButtonC", Settings.ButtonC).Field("SpeedOff", Settings.SpeedOff);
    j.Field("SpeedManual", Settings.SpeedManual).Field("SpeedAuto", Settings.SpeedAuto);
    j.Field("SpeedCharge", Settings.SpeedCharge).Field("AnchorJiten", Settings.AnchorJiten);
    j.Field("AnchorKouten", Settings.AnchorKouten);
    j.EndObject();
}

void DumpTick(std::string& out, int64_t tick, bool first) {
    JsonOut j(out);
    j.BeginObject();
    j.Field("tick", tick);
    j.Field("CurrentScreen", CurrentScreen).Field("NextScreen", NextScreen);
    j.Field("FadeStep", FadeStep).Field("FadeLevel", FadeLevel);
    j.FieldBool("FadeInDone", FadeInDone).FieldBool("Paused", Paused);
    j.FieldBool("SingleUpdate", SingleUpdate).FieldBool("ParticlesOn", ParticlesOn);
    j.FieldStr("MessageText", MessageText).Field("MessageTicks", MessageTicks);
    j.Field("UpdateCount", UpdateCount).Field("Interval", FrameInterval);
    j.Key("CurButtons").BeginArray();
    for (bool b : CurButtons) j.Bool(b);
    j.EndArray();
    if (first) {
        DumpSettings(j);
        DumpWorldOnce(j);
    }
    DumpFrontEnd(j);
    DumpAudio(j);
    if (CurrentScreen == 2) DumpWorld(j);
    j.EndObject();
}
