#pragma once
// Mouse-wheel notches over the main window scroll the frame strip. Only a plain notch (one,
// two or three steps, nothing held) decides the direction; anything else repeats the last one.
#include <cstdint>

namespace quorvel {

inline int16_t nextWheelStep(int16_t wheelStep, int delta, bool buttonsOrKeysHeld) {
    if (buttonsOrKeysHeld) return wheelStep;
    if (delta == -120 || delta == -240 || delta == -360) return -1;
    if (delta == 120 || delta == 240 || delta == 360) return 1;
    return wheelStep;
}

// The strip position after a wheel step; positions outside 0..range are refused.
inline int scrolledPosition(int position, int16_t wheelStep, int range) {
    const int wanted = position - wheelStep;
    return wanted >= 0 && wanted <= range ? wanted : position;
}

}  // namespace quorvel
