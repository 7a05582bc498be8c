// The recipes of the game's sound effects, one per moment of play.
#pragma once

#include "effects.h"

namespace soundgen {

Effect ShotEffect();         // a volley of the ship's shots: soft, heard many times a second
Effect ShipHitToneEffect();  // the ship is hit: the heavy falling tone
Effect ShipHitNoiseEffect(); // the ship is hit: the crash that plays with the tone
Effect DestroyEffect();      // an enemy is shot down: a bright pop
Effect BeamEffect();         // a beam begins: a rising, pulsing charge that warns
Effect SpiralEffect();       // a spiral burst begins: a quick upward trill
Effect MissileEffect();      // a missile is launched: an alarm bleep over a whoosh
Effect MissileDownEffect();  // a missile is shot down: a small crunchy burst
Effect SalvoEffect();        // the boss fires a chain: a buzzing rise
Effect BreakEffect();        // the boss breaks: a big explosion
Effect LastBreakEffect();    // the boss is destroyed: the biggest, ending in a sparkle of stardust
Effect BossHitEffect();      // a shot strikes the boss: a small tick

}  // namespace soundgen
