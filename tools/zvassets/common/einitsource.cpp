#include "common/einitsource.h"

#include <cstring>
#include <map>

#include "common/textsource.h"

namespace zvtools {
namespace {

const std::map<std::string, uint8_t> StateNames = {{"dying", StateDying},
                                                   {"entering", StateEntering},
                                                   {"active", StateActive},
                                                   {"inert", StateInert}};
const std::map<std::string, uint8_t> ContactNames = {
    {"harmless", ContactHarmless}, {"deadly", ContactDeadly}, {"solid", ContactSolid}};
const std::map<std::string, uint8_t> ShotNames = {
    {"pass", ShotsPass}, {"damage", ShotsDamage}, {"armour", ShotsStopped}};
const std::map<std::string, uint8_t> DeathNames = {
    {"none", DeathVanish}, {"small", DeathSmall}, {"large", DeathLarge}, {"long", DeathLong}};
const std::map<std::string, uint8_t> ActionNames = {{"none", ActionNone},
                                                    {"item", ActionItem},
                                                    {"spawn", ActionSpawn},
                                                    {"reg-a", ActionSetRegA},
                                                    {"reg-b", ActionSetRegB}};

template <typename Map>
std::string NameOf(const Map& names, uint8_t v) {
    for (const auto& [name, value] : names) {
        if (value == v) return name;
    }
    return std::to_string(v);
}

}  // namespace

bool EnemyTypeEmpty(const TEnemyType& t) {
    static const TEnemyType zero{};
    return std::memcmp(&t, &zero, sizeof t) == 0;
}

std::vector<TEnemyType> ParseEnemySource(const std::string& text, const std::string& name) {
    std::vector<TEnemyType> table(EnemyTypeCount, TEnemyType{});
    std::vector<bool> seen(EnemyTypeCount, false);
    TEnemyType* cur = nullptr;
    for (const SourceLine& l : SourceLines(text)) {
        const std::string& key = l.words[0];
        const size_t args = l.words.size() - 1;
        auto need = [&](size_t n) {
            if (args != n) {
                SourceError(name, l.number,
                            "'" + key + "' takes " + std::to_string(n) + " value(s)");
            }
        };
        auto num = [&](size_t i) { return ParseInt(l.words[i], name, l.number); };
        auto word = [&](const std::map<std::string, uint8_t>& names, size_t i) {
            auto it = names.find(l.words[i]);
            if (it == names.end())
                SourceError(name, l.number, "unknown value '" + l.words[i] + "'");
            return it->second;
        };
        if (key == "kind") {
            if (args < 1) SourceError(name, l.number, "'kind' needs a number");
            const int32_t k = num(1);
            if (k < 0 || k >= EnemyTypeCount) SourceError(name, l.number, "kind out of 0..255");
            if (seen[k])
                SourceError(name, l.number, "kind " + std::to_string(k) + " defined twice");
            seen[k] = true;
            cur = &table[k];
            continue;
        }
        if (!cur) SourceError(name, l.number, "field before the first 'kind'");
        TEnemyType& t = *cur;
        if (key == "hp") {
            need(1);
            t.HitPoints = num(1);
        } else if (key == "state") {
            need(1);
            t.InitialState = word(StateNames, 1);
        } else if (key == "contact") {
            need(1);
            t.ContactKind = word(ContactNames, 1);
        } else if (key == "shots") {
            need(1);
            t.ShotResponse = word(ShotNames, 1);
        } else if (key == "layer") {
            need(1);
            t.Layer = num(1);
        } else if (key == "boss") {
            need(0);
            t.BossFlag = 1;
        } else if (key == "score") {
            need(1);
            t.Score = num(1);
        } else if (key == "death") {
            need(1);
            t.DeathKind = word(DeathNames, 1);
        } else if (key == "bounds") {
            need(4);
            uint8_t* flags[4] = {&t.TightLeft, &t.TightRight, &t.TightTop, &t.TightBottom};
            for (size_t i = 0; i < 4; ++i) {
                const std::string& w = l.words[i + 1];
                if (w != "tight" && w != "wide") {
                    SourceError(name, l.number, "bounds are 'tight' or 'wide', not '" + w + "'");
                }
                *flags[i] = w == "tight";
            }
        } else if (key == "box") {
            need(4);
            t.BoxLeft = num(1);
            t.BoxTop = num(2);
            t.BoxRight = num(3);
            t.BoxBottom = num(4);
        } else if (key == "on-death") {
            if (args < 1) SourceError(name, l.number, "'on-death' needs an action");
            t.DeathAction = word(ActionNames, 1);
            if (t.DeathAction == ActionNone) {
                need(1);
            } else {
                need(2);
                t.DeathValue = num(2);
            }
        } else if (key == "scrolls") {
            need(0);
            t.ScrollsWithMap = 1;
        } else if (key == "fine") {
            need(0);
            t.FinePosition = 1;
        } else {
            SourceError(name, l.number, "unknown field '" + key + "'");
        }
    }
    return table;
}

std::string DescribeEnemyType(int kind, const TEnemyType& t) {
    std::string s = "kind " + std::to_string(kind) + "\n";
    auto line = [&](const std::string& text) { s += "  " + text + "\n"; };
    line("hp " + std::to_string(t.HitPoints));
    line("state " + NameOf(StateNames, t.InitialState));
    line("contact " + NameOf(ContactNames, t.ContactKind));
    line("shots " + NameOf(ShotNames, t.ShotResponse));
    line("layer " + std::to_string(t.Layer));
    if (t.BossFlag) line("boss");
    line("score " + std::to_string(t.Score));
    line("death " + NameOf(DeathNames, t.DeathKind));
    auto b = [](uint8_t tight) { return std::string(tight ? "tight" : "wide"); };
    line("bounds " + b(t.TightLeft) + " " + b(t.TightRight) + " " + b(t.TightTop) + " " +
         b(t.TightBottom));
    line("box " + std::to_string(t.BoxLeft) + " " + std::to_string(t.BoxTop) + " " +
         std::to_string(t.BoxRight) + " " + std::to_string(t.BoxBottom));
    if (t.DeathAction != ActionNone) {
        line("on-death " + NameOf(ActionNames, t.DeathAction) + " " + std::to_string(t.DeathValue));
    }
    if (t.ScrollsWithMap) line("scrolls");
    if (t.FinePosition) line("fine");
    return s;
}

}  // namespace zvtools
