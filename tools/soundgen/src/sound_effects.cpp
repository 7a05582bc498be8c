// The recipes of the game's sound effects, one per moment of play.
#include "sound_effects.h"

namespace soundgen {

// Columns of a tone layer:
//   wave, start s, length s, from Hz, to Hz, bend, level, attack s, decay s, wobble Hz, wobble cents, chop Hz
// Columns of a noise layer:
//   start s, length s, band, from Hz, to Hz, q, level, attack s, decay s, hold Hz, seed

Effect ShotEffect() {
    // A short falling "pew" with the top rounded off by the triangle underneath: present, never sharp.
    return {{
        {Wave::Pulse25,  0.000f, 0.080f, 1250.f, 520.f, 0.6f, 0.45f, 0.002f, 0.025f, 0.f, 0.f, 0.f},
        {Wave::Triangle, 0.000f, 0.105f,  625.f, 260.f, 0.6f, 0.70f, 0.002f, 0.035f, 0.f, 0.f, 0.f},
    }, {}};
}

Effect ShipHitToneEffect() {
    // Falls from mid-range to almost nothing, shaking as it goes.
    return {{
        {Wave::Pulse50,  0.00f, 0.74f, 720.f, 42.f, 0.55f, 0.75f, 0.002f, 0.26f, 13.f, 70.f, 0.f},
        {Wave::Triangle, 0.00f, 0.74f, 360.f, 30.f, 0.55f, 1.00f, 0.002f, 0.32f, 13.f, 70.f, 0.f},
    }, {}};
}

Effect ShipHitNoiseEffect() {
    // Only noise, darkening as it falls, so it fills the spectrum the falling tone leaves free.
    return {{}, {
        {0.00f, 0.60f, NoiseBand::Low,  4200.f, 160.f, 0.8f, 1.00f, 0.003f, 0.20f, 0.f,    0x1141u},
        {0.00f, 0.14f, NoiseBand::High, 3200.f, 2000.f, 0.7f, 0.45f, 0.001f, 0.035f, 0.f,  0x1142u},
    }};
}

Effect DestroyEffect() {
    return {{
        {Wave::Pulse12, 0.000f, 0.030f,  900.f, 1900.f, 1.0f, 0.55f, 0.001f, 0.f,   0.f, 0.f, 0.f},  // the pop's snap up
        {Wave::Pulse25, 0.025f, 0.140f, 1800.f,  260.f, 0.5f, 0.60f, 0.001f, 0.05f, 0.f, 0.f, 0.f},  // and its fall
    }, {
        {0.000f, 0.30f, NoiseBand::Band, 3400.f, 700.f, 0.9f, 0.90f, 0.001f, 0.065f, 5500.f, 0x1411u},
    }};
}

Effect BeamEffect() {
    // Two pulses a few cents apart rise together while the level pulses: a charge building up.
    return {{
        {Wave::Pulse25, 0.0f, 0.86f, 220.f, 1350.f, 1.5f, 0.70f, 0.06f, 0.f, 0.f, 0.f, 15.f},
        {Wave::Pulse12, 0.0f, 0.86f, 223.f, 1370.f, 1.5f, 0.40f, 0.06f, 0.f, 0.f, 0.f, 15.f},
    }, {
        {0.0f, 0.86f, NoiseBand::Band, 400.f, 2600.f, 2.0f, 0.25f, 0.30f, 0.f, 0.f, 0x1421u},
    }};
}

Effect SpiralEffect() {
    return {{
        {Wave::Pulse25, 0.0f, 0.24f, 620.f, 1500.f, 1.0f, 0.80f, 0.003f, 0.10f, 28.f, 260.f, 0.f},
    }, {
        {0.0f, 0.16f, NoiseBand::High, 3000.f, 4500.f, 0.7f, 0.25f, 0.002f, 0.05f, 0.f, 0x1431u},
    }};
}

Effect MissileEffect() {
    // Two high bleeps, the second lower, over a rising whoosh of launch.
    return {{
        {Wave::Pulse50, 0.00f, 0.070f, 1320.f, 1320.f, 1.0f, 0.55f, 0.002f, 0.f, 0.f, 0.f, 0.f},
        {Wave::Pulse50, 0.10f, 0.070f,  990.f,  990.f, 1.0f, 0.55f, 0.002f, 0.f, 0.f, 0.f, 0.f},
    }, {
        {0.00f, 0.30f, NoiseBand::Band, 500.f, 2600.f, 1.2f, 0.70f, 0.06f, 0.12f, 0.f, 0x1441u},
    }};
}

Effect MissileDownEffect() {
    return {{
        {Wave::Triangle, 0.0f, 0.50f, 320.f, 55.f, 0.6f, 0.70f, 0.002f, 0.12f, 0.f, 0.f, 0.f},
    }, {
        {0.0f, 0.54f, NoiseBand::Low, 2800.f, 300.f, 0.8f, 1.00f, 0.002f, 0.13f, 4000.f, 0x1451u},
    }};
}

Effect SalvoEffect() {
    // A low buzz that winds upward, the boss's eye charging its chain.
    return {{
        {Wave::Pulse12, 0.0f, 0.50f, 170.f, 700.f, 0.8f, 0.70f, 0.004f, 0.25f, 24.f, 120.f, 0.f},
        {Wave::Pulse50, 0.0f, 0.50f,  85.f, 350.f, 0.8f, 0.50f, 0.004f, 0.25f, 24.f, 120.f, 0.f},
    }, {
        {0.0f, 0.30f, NoiseBand::Band, 900.f, 1800.f, 1.5f, 0.35f, 0.002f, 0.08f, 0.f, 0x1471u},
    }};
}

Effect BreakEffect() {
    // A boom, a crunchy blast and a second crack just after it.
    return {{
        {Wave::Triangle, 0.00f, 1.00f, 210.f, 34.f, 0.6f, 1.00f, 0.002f, 0.32f, 0.f,  0.f,  0.f},
        {Wave::Pulse50,  0.00f, 0.45f, 900.f, 110.f, 0.6f, 0.35f, 0.002f, 0.15f, 18.f, 80.f, 0.f},
    }, {
        {0.00f, 1.08f, NoiseBand::Low,  3600.f, 140.f, 0.8f, 1.00f, 0.002f, 0.30f, 5000.f, 0x1481u},
        {0.16f, 0.50f, NoiseBand::Band, 2200.f, 400.f, 0.9f, 0.60f, 0.002f, 0.12f, 0.f,    0x1482u},
    }};
}

Effect LastBreakEffect() {
    // Three blasts close together, a long rumble, and then the theme's opening as falling stardust.
    return {{
        {Wave::Triangle, 0.00f, 1.30f, 180.f,   28.f, 0.6f, 1.00f, 0.002f, 0.45f, 0.f,  0.f,  0.f},
        {Wave::Pulse50,  0.00f, 0.55f, 1000.f,  90.f, 0.6f, 0.35f, 0.002f, 0.18f, 16.f, 90.f, 0.f},
        {Wave::Pulse12,  0.95f, 0.45f, 1047.f, 1047.f, 1.f, 0.22f, 0.002f, 0.14f, 0.f,  0.f,  0.f},
        {Wave::Pulse12,  1.05f, 0.45f, 1319.f, 1319.f, 1.f, 0.22f, 0.002f, 0.14f, 0.f,  0.f,  0.f},
        {Wave::Pulse12,  1.15f, 0.45f, 1568.f, 1568.f, 1.f, 0.22f, 0.002f, 0.14f, 0.f,  0.f,  0.f},
        {Wave::Pulse12,  1.25f, 0.55f, 2093.f, 2093.f, 1.f, 0.22f, 0.002f, 0.20f, 0.f,  0.f,  0.f},
    }, {
        {0.00f, 1.60f, NoiseBand::Low,  3800.f,  90.f, 0.8f, 1.00f, 0.002f, 0.50f, 5000.f, 0x1491u},
        {0.22f, 0.60f, NoiseBand::Band, 2600.f, 350.f, 0.9f, 0.75f, 0.002f, 0.14f, 0.f,    0x1492u},
        {0.45f, 0.70f, NoiseBand::Band, 2000.f, 250.f, 0.9f, 0.70f, 0.002f, 0.16f, 4000.f, 0x1493u},
    }};
}

Effect BossHitEffect() {
    return {{
        {Wave::Pulse12, 0.0f, 0.040f, 2200.f, 1500.f, 1.0f, 0.60f, 0.001f, 0.012f, 0.f, 0.f, 0.f},
    }, {
        {0.0f, 0.060f, NoiseBand::High, 3800.f, 3000.f, 0.8f, 0.50f, 0.001f, 0.010f, 0.f, 0x1501u},
    }};
}

}  // namespace soundgen
