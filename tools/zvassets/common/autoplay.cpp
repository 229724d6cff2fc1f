#include "common/autoplay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "base/paths.h"
#include "krdxlib/geometry.h"
#include "screens/play_options.h"
#include "screens/title.h"
#include "shell/options.h"
#include "shell/recording.h"
#include "world/objects.h"
#include "world/play.h"
#include "world/snapshot.h"
#include "world/state.h"
#include "world/step.h"
#include "zvcommon/config.h"
#include "zvcommon/scores.h"
#include "zvrandom.h"

namespace zvtools {
namespace {

using Clock = std::chrono::steady_clock;

// A decision: a direction held (none, the four, the four diagonals) and the fire buttons.
constexpr int MoveCount = 9;
constexpr int MoveDirs[MoveCount][2] = {{0, 0},   {0, -1}, {0, 1},  {-1, 0}, {1, 0},
                                        {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr int FireCount = 2;  // 0: A and B held (continuous fire), 1: no button (fastest move)
constexpr int ActionCount = MoveCount * FireCount;

TButtonSet ButtonsOf(int action) {
    const int move = action % MoveCount, fire = action / MoveCount;
    TButtonSet b{};
    b[BtnLeft] = MoveDirs[move][0] < 0;
    b[BtnRight] = MoveDirs[move][0] > 0;
    b[BtnUp] = MoveDirs[move][1] < 0;
    b[BtnDown] = MoveDirs[move][1] > 0;
    b[BtnA] = b[BtnB] = fire == 0;
    return b;
}

// Where a ship that does nothing in particular keeps to: left of the middle, where most
// enemies come into its fire.
constexpr int HomeX = 72;
constexpr int HomeY = 120;
constexpr int DangerReach = 40;      // objects farther than this from the ship add no danger
constexpr int FadeOutUpdates = 7;    // from the stage's finish to the next screen
constexpr double BerthWeight = 200;  // value a pixel inside the berth kept from the boss

// The boss's slot (the first object whose kind is a boss's); -1 when there is none.
int32_t BossObject() {
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s)
        if (Objects[s].Kind >= KindFirstBoss && TypeOf(Objects[s].Kind).BossFlag) return s;
    return -1;
}

// The boss the player fights: the one the gauge shows (a mid-boss too) while it lives, else
// the stage's boss once it comes; -1 when there is none.
int32_t Target() {
    if (BossSlot >= FirstWorldSlot && BossSlot <= LastWorldSlot) {
        const TWorldObject& o = Objects[BossSlot];
        if (o.Kind >= KindFirstBoss && o.State != StateDying && o.HitPoints > 0) return BossSlot;
    }
    return StagePhase >= PhaseBossApproach ? BossObject() : -1;
}

// The hit points left of the target in slot (of that kind): 0 once it is gone.
int32_t HpOf(int32_t slot, int32_t kind) {
    if (slot < 0 || Objects[slot].Kind != kind) return 0;
    return std::max(Objects[slot].HitPoints, 0);
}

int32_t BossHp() {
    const int32_t slot = Target();
    return slot < 0 ? 0 : HpOf(slot, Objects[slot].Kind);
}

// Bullets and deadly enemies near the ship: the sum of the squared closeness of each.
double Danger() {
    const TPlayer& p = Players[0];
    double sum = 0;
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        const TWorldObject& o = Objects[s];
        const bool bullet = o.Kind >= KindFirstBullet && o.Kind <= KindLastBullet;
        const bool body =
            o.Kind >= KindFirstEnemy && o.State == StateActive && o.ContactKind != ContactHarmless;
        if (!bullet && !body) continue;
        const int32_t dx = std::max({o.X + o.HitBox.Left - p.X, p.X - (o.X + o.HitBox.Right), 0});
        const int32_t dy = std::max({o.Y + o.HitBox.Top - p.Y, p.Y - (o.Y + o.HitBox.Bottom), 0});
        const int32_t d = dx + dy;
        if (d < DangerReach) sum += double(DangerReach - d) * (DangerReach - d);
    }
    return sum;
}

// Distance to the nearest power-up on screen (0 when there is none).
int32_t PowerUpDistance() {
    const TPlayer& p = Players[0];
    int32_t best = 0;
    for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
        const TWorldObject& o = Objects[s];
        if (o.Kind != ItemKind::PowerUp || o.X < 0 || o.X > 320) continue;
        const int32_t d = std::abs(o.X - p.X) + std::abs(o.Y - p.Y);
        if (best == 0 || d < best) best = d;
    }
    return best;
}

struct Candidate {
    int Action = 0;
    bool Safe = false;  // the chunk and a probe after it survive
    int Survived = 0;   // updates survived of the chunk and the best probe
    double Value = 0;
};

struct Decision {
    std::unique_ptr<TPlaySnapshot> Snap;
    TButtonSet Previous{};
    int64_t Tick = 0;  // ticks played before this decision
    bool Evaluated = false;
    std::vector<Candidate> Candidates;  // safe ones, best first
    size_t Next = 0;
    int Fallback = 0;  // the longest survival: taken when a lost life must be accepted here
};

class Searcher {
  public:
    Searcher(const AutoplayKnobs& k, AutoplayResult& r) : K(k), R(r) {}
    void Run();

  private:
    // One update with the buttons; true when the ship was shot down (or is in game over).
    bool Step(const TButtonSet& b, TButtonSet& previous) {
        const uint8_t before = Players[0].ShipState;
        const TPlayReport& report = StepPlay({.Buttons = b, .Previous = previous});
        previous = b;
        ++R.Updates;
        LastStageOver = LastGameOver = false;
        for (const TPlayCue& c : report) {
            LastStageOver |= c.Kind == PlayCue::StageOver;
            LastGameOver |= c.Kind == PlayCue::GameOver;
        }
        const uint8_t now = Players[0].ShipState;
        return now == ShipGameOver || (now == ShipShotDown && before != ShipShotDown);
    }
    // Holds the action for n updates; the updates survived. When trying ahead (seen >= 0:
    // the updates since the decision), the bullets the player could not yet have seen are
    // taken out of the copy of the play before each update.
    int Hold(int action, int n, TButtonSet& previous, int seen = -1) {
        const TButtonSet b = ButtonsOf(action);
        for (int i = 0; i < n; ++i) {
            if (seen >= 0 && K.ReactionFrames > 0) Unseen(K.ReactionFrames + seen + i);
            if (Step(b, previous)) return i;
        }
        return n;
    }
    // Removes the bullets younger than age: those that appeared after the moment the
    // player's eye has reached (or not at all yet, seen from the decision). A trail's pieces
    // stay: they lie where a bullet the eye follows has flown (an unseen one lays none).
    static void Unseen(int32_t age) {
        for (int32_t s = FirstWorldSlot; s <= LastWorldSlot; ++s) {
            TWorldObject& o = Objects[s];
            if (o.Kind >= KindFirstBullet && o.Kind < BulletKind::OldTrailPiece && o.Age < age)
                o.Kind = KindFree;
        }
    }
    void Evaluate(Decision& d);
    Candidate Score(const Decision& d, int action);
    // The chunk of a candidate into the play for good, tick by tick. False when the play
    // ended (stage over, game over, time-out, the stretch asked for).
    bool Commit(const Decision& d, int action);
    void Progress(bool force);
    bool OutOfBudget() const;

    const AutoplayKnobs& K;
    AutoplayResult& R;
    TPlaySnapshot Probe{};
    bool LastStageOver = false, LastGameOver = false;
    TButtonSet Committed{};       // the buttons of the last committed update
    int32_t CommittedBossHp = 0;  // and the boss's hit points after it
    Clock::time_point Started = Clock::now(), LastTold = Clock::now();
    int64_t UpdatesTold = 0;
};

Candidate Searcher::Score(const Decision& d, int action) {
    Candidate c;
    c.Action = action;
    RestorePlay(*d.Snap);
    TButtonSet previous = d.Previous;
    const int32_t score0 = Players[0].Score;
    const int32_t boss = Target();
    const int32_t bossKind = boss < 0 ? 0 : Objects[boss].Kind;
    const int32_t hp0 = HpOf(boss, bossKind);
    const int chunk = Hold(action, K.ChunkFrames, previous, 0);
    c.Survived = chunk;
    if (chunk < K.ChunkFrames) return c;
    // What the chunk leaves: the danger about the ship, where it stands.
    const TPlayer& p = Players[0];
    double value = -0.02 * Danger();
    value -= 0.5 * std::abs(p.X - HomeX);
    if (boss >= 0 && Objects[boss].Kind == bossKind) {
        value -= 1.0 * std::abs(p.Y - Objects[boss].Y);
        // Closer, its shots land sooner within the look-ahead, which the value would reward
        // as damage; a person keeps a berth.
        const int32_t gap = Objects[boss].X - p.X;
        if (gap < K.BossBerth) value -= BerthWeight * (K.BossBerth - gap);
    } else {
        value -= 0.1 * std::abs(p.Y - HomeY);
        const int32_t powerUp = PowerUpDistance();
        if (powerUp > 0) value -= 0.5 * powerUp;
    }
    // Survivable past it: the same buttons held on, or any direction at full speed.
    SavePlay(Probe);
    const TButtonSet afterChunk = previous;
    int best = 0;
    for (int k = -1; k < MoveCount; ++k) {
        const int next = k < 0 ? action : MoveCount + k;  // fire off: the fastest move
        if (k >= 0 && next == action) continue;
        if (k >= 0) RestorePlay(Probe);
        previous = afterChunk;
        const int survived = Hold(next, K.ProbeFrames, previous, K.ChunkFrames);
        if (k < 0) {
            // The damage dealt keeping on as chosen.
            value += double(Players[0].Score - score0) + 50.0 * (hp0 - HpOf(boss, bossKind));
        }
        best = std::max(best, survived);
        if (survived == K.ProbeFrames) break;
    }
    c.Survived += best;
    c.Safe = best == K.ProbeFrames;
    c.Value = value;
    return c;
}

void Searcher::Evaluate(Decision& d) {
    d.Evaluated = true;
    std::vector<Candidate> all;
    for (int a = 0; a < ActionCount; ++a) all.push_back(Score(d, a));
    ++R.Decisions;
    std::stable_sort(all.begin(), all.end(),
                     [](const Candidate& x, const Candidate& y) { return x.Value > y.Value; });
    for (const Candidate& c : all)
        if (c.Safe) d.Candidates.push_back(c);
    Candidate longest = all.front();
    for (const Candidate& c : all)
        if (c.Survived > longest.Survived) longest = c;
    d.Fallback = longest.Action;
}

bool Searcher::Commit(const Decision& d, int action) {
    RestorePlay(*d.Snap);
    TButtonSet previous = d.Previous;
    R.Buttons.resize(static_cast<size_t>(d.Tick));
    R.Trace.resize(static_cast<size_t>(d.Tick));
    const TButtonSet b = ButtonsOf(action);
    for (int i = 0; i < K.ChunkFrames; ++i) {
        const uint8_t phase = StagePhase;
        Step(b, previous);
        R.Buttons.push_back(b);
        const TPlayer& p = Players[0];
        R.Trace.push_back({StageNo, StageClock, StagePhase, p.X, p.Y, p.Score, p.Lives});
        CommittedBossHp = BossHp();
        const int64_t tick = static_cast<int64_t>(R.Buttons.size());
        if (LastGameOver) {
            R.GameOver = true;
            R.Reason = "game over at tick " + std::to_string(tick);
            return false;
        }
        if (phase == PhaseBossFight && StagePhase == PhaseCleared) {
            const int32_t boss = BossObject();
            if (boss >= 0 && Objects[boss].HitPoints > 0) {
                R.TimedOut = true;
                R.Reason = "the boss timed out at tick " + std::to_string(tick);
                return false;
            }
        }
        if (LastStageOver) {
            // The shell fades out over the next seven updates, which still run the stage;
            // the seventh tick ends by starting the next screen, which its dump shows. The
            // recording ends there.
            R.StageOverAt = tick;
            const TButtonSet none{};
            for (int f = 0; f < FadeOutUpdates; ++f) {
                Step(none, previous);
                R.Buttons.push_back(none);
                const TPlayer& q = Players[0];
                if (f + 1 < FadeOutUpdates)
                    R.Trace.push_back(
                        {StageNo, StageClock, StagePhase, q.X, q.Y, q.Score, q.Lives});
                if (LastGameOver) {
                    R.GameOver = true;
                    R.Reason = "game over while the stage faded out";
                    return false;
                }
            }
            R.EndTick = static_cast<int64_t>(R.Buttons.size());
            R.Cleared = true;
            return false;
        }
        if (K.StopAfterTicks > 0 && tick >= K.StopAfterTicks) {
            R.Reason = "played the " + std::to_string(tick) + " updates asked for";
            return false;
        }
    }
    Committed = previous;
    return true;
}

void Searcher::Run() {
    std::vector<Decision> stack;
    auto push = [&](const TButtonSet& previous, int64_t tick) {
        Decision d;
        d.Snap = std::make_unique<TPlaySnapshot>();
        SavePlay(*d.Snap);
        d.Previous = previous;
        d.Tick = tick;
        stack.push_back(std::move(d));
    };
    push({}, 0);
    size_t floor = 0;    // decisions below it are never gone back to
    int backtracks = 0;  // since the play last reached a new furthest tick
    int64_t furthest = 0;
    for (;;) {
        Progress(false);
        if (OutOfBudget()) {
            R.OutOfBudget = true;
            R.Reason = "the budget ran out at tick " + std::to_string(R.Buttons.size());
            break;
        }
        Decision& d = stack.back();
        if (!d.Evaluated) Evaluate(d);
        int action = d.Fallback;
        if (d.Next < d.Candidates.size()) {
            action = d.Candidates[d.Next++].Action;
        } else if (stack.size() - 1 > floor && backtracks < K.BacktrackLimit) {
            // A dead end: back to the decision before, which takes its next candidate.
            stack.pop_back();
            ++R.Backtracks;
            ++backtracks;
            continue;
        } else {
            // No way through was found: this decision takes its longest survival, a life
            // is lost, and the search never goes back past it.
            d.Next = d.Candidates.size();
            floor = stack.size();
            backtracks = 0;
        }
        if (!Commit(d, action)) break;
        const int64_t tick = static_cast<int64_t>(R.Buttons.size());
        if (tick > furthest) {
            furthest = tick;
            backtracks = 0;
        }
        push(Committed, tick);
        // Going back is bounded: decisions far behind keep no snapshot.
        constexpr size_t MaxDepth = 64;
        while (stack.size() - 1 > floor + MaxDepth) {
            stack[floor].Snap.reset();
            stack[floor].Candidates.clear();
            ++floor;
        }
    }
    Progress(true);
}

bool Searcher::OutOfBudget() const {
    if (K.MaxUpdates > 0 && R.Updates >= K.MaxUpdates) return true;
    const double s = std::chrono::duration<double>(Clock::now() - Started).count();
    return K.BudgetSeconds > 0 && s >= K.BudgetSeconds;
}

void Searcher::Progress(bool force) {
    const Clock::time_point now = Clock::now();
    const double since = std::chrono::duration<double>(now - LastTold).count();
    if (K.ProgressSeconds <= 0 || (!force && since < K.ProgressSeconds)) return;
    const double rate = since > 0 ? double(R.Updates - UpdatesTold) / since : 0;
    std::fprintf(stderr,
                 "autoplay: tick %zu clock %d phase %d lives %d boss-hp %d score %d | "
                 "nodes %lld backtracks %lld updates %lld (%.0f/s)\n",
                 R.Trace.size(), R.Trace.empty() ? 0 : R.Trace.back().StageClock,
                 R.Trace.empty() ? 0 : R.Trace.back().StagePhase,
                 R.Trace.empty() ? 0 : R.Trace.back().Lives, CommittedBossHp,
                 R.Trace.empty() ? 0 : R.Trace.back().Score, static_cast<long long>(R.Decisions),
                 static_cast<long long>(R.Backtracks), static_cast<long long>(R.Updates), rate);
    LastTold = now;
    UpdatesTold = R.Updates;
}

}  // namespace

AutoplayKnobs HumanKnobs() {
    AutoplayKnobs k;
    k.ReactionFrames = 12;
    k.ChunkFrames = 8;
    k.ProbeFrames = 24;
    k.BacktrackLimit = 0;
    k.BossBerth = 120;
    return k;
}

AutoplayResult Autoplay(const std::string& dataDir, const AutoplayStart& start,
                        const AutoplayKnobs& knobs) {
    if (start.Stage < 1 || !StageSelectable(start.Stage - 1))
        throw std::invalid_argument("stage " + std::to_string(start.Stage) +
                                    " cannot be played (1, 2 or 5)");
    if (start.Character < 0 || start.Character > 2)
        throw std::invalid_argument("the characters are 0, 1 and 2");
    TPlayChoice choice;
    std::string error;
    if (!ParseDifficultyOption(start.Difficulty, choice, error) ||
        !ParseHellsOption(start.Hells, choice, error))
        throw std::invalid_argument(error);

    // The start of `vorin --stage N --seed S`: the seed first, the default settings (a
    // recording carries them), the kind table, the menus' choice, then the stage launched
    // as an arcade play with that character.
    DataDir = dataDir;
    if (DataDir.empty() || DataDir.back() != '/') DataDir += '/';
    ResetWorld();
    Randomize(start.Seed);
    Settings = TSettings{};
    BuildTrigTables();
    LoadEnemyTypes();
    ApplyPlayChoice(choice);
    TestInvulnerable = false;
    GameMode = ModeArcade;
    for (TPlayer& p : Players) p.Character = start.Character;
    SetUpPlay(ModeArcade, 1);
    StageNo = start.Stage;
    BeginStage();

    AutoplayResult r;
    const Clock::time_point began = Clock::now();
    Searcher(knobs, r).Run();
    r.Seconds = std::chrono::duration<double>(Clock::now() - began).count();
    if (r.EndTick == 0) r.EndTick = static_cast<int64_t>(r.Buttons.size());
    for (size_t t = 0; t < r.Trace.size(); ++t) {
        const AutoplayTrace& now = r.Trace[t];
        const int32_t phase = t == 0 ? PhaseStage : r.Trace[t - 1].StagePhase;
        if (t > 0 && now.Lives < r.Trace[t - 1].Lives) ++r.LivesLost;
        if (phase != PhaseBossFight && now.StagePhase == PhaseBossFight && r.BossFightAt < 0)
            r.BossFightAt = static_cast<int64_t>(t) + 1;
        if (phase == PhaseBossFight && now.StagePhase == PhaseCleared && r.BossKilledAt < 0)
            r.BossKilledAt = static_cast<int64_t>(t) + 1;
    }
    if (!r.Trace.empty()) r.Score = r.Trace.back().Score;
    return r;
}

// The key of each button in the input script, in button order.
constexpr const char* ButtonKeys[7] = {"Up", "Down", "Left", "Right", "Z", "X", "C"};

std::string AutoplayRecording(const AutoplayStart& start, const AutoplayResult& r) {
    Options game;
    game.stage = start.Stage;
    game.character = start.Character;
    game.difficultyText = start.Difficulty;
    game.hellsText = start.Hells;
    TRecording rec;
    rec.Version = ZV_VERSION;
    rec.Seed = start.Seed;
    rec.PlayOptions = PlayOptionsOf(game);
    rec.Settings = TSettings{};
    DefaultScores(rec.Scores);
    std::string text = RecordingHeader(rec);
    text += "# " + std::string(r.Cleared ? "A clear" : "A stretch") + " of stage " +
            std::to_string(start.Stage) + " found by zvtool autoplay\n";
    // The same start as options, so the file also runs as an input script (the replay suite).
    text += "# args: --stage " + std::to_string(start.Stage) + " --seed " +
            std::to_string(start.Seed) + " --character " + std::to_string(start.Character) +
            " --difficulty " + start.Difficulty + " --hells " + start.Hells + " --frames " +
            std::to_string(r.EndTick) + "\n";
    TButtonSet held{};
    for (size_t t = 0; t < r.Buttons.size(); ++t) {
        for (int b = 0; b < 7; ++b) {
            if (r.Buttons[t][b] == held[b]) continue;
            ScriptEvent ev;
            ev.tick = static_cast<int64_t>(t) + 1;
            ev.key = KeyFromName(ButtonKeys[b]);
            ev.down = r.Buttons[t][b];
            text += RecordingEventLine(ev) + "\n";
        }
        held = r.Buttons[t];
    }
    text += "# end=" + std::to_string(r.EndTick) + "\n";
    return text;
}

}  // namespace zvtools
