#pragma once
// The passes of the frame update that the ship, enemy, bullet, collision and boss code
// provide, in the order the frame update runs them, and the set-ups a spawn or a stage start
// asks of them.
#include <cstdint>

// Slots 64..256 against ship 1 and the ship shots; counts scratches in ScratchCounter (the
// frame update turns them into ScratchFrames and MaxScratches).
void ContactPass();
void ShipUpdate(int32_t index);  // ship 1 each frame
void ShipShotPass();             // slots 0..63
void ItemPass();                 // effects and items, slots 64..256
void BehaviourPass();            // enemies, bosses and dying sequences, slots 64..256
void BulletPass();               // enemy bullets, slots 64..256

// A ship's new life (stage start and after a lost one).
void NewLife(int32_t index);
// Every enemy bullet (kinds 48..63 in slots 64..256) becomes a bonus medal (medals on) or a
// vanishing flash (medals off).
void CancelBullets(bool medals);

// Boss set-up at spawn: the fortress's attached parts, the trailing boss's body and the
// twin chains.
void BuildFortressParts(int32_t slot);
void BuildTrailBody(int32_t slot);
void BuildBossChains(int32_t slot);
