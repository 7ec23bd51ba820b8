#pragma once

// One span of a band across the ring: from left to right, -1 for none.
struct RingSpan
{
    int left = -1;
    int right = -1;
};

// Whether a band of the ring has room, and where.
struct RingFit
{
    bool fits = false;
    // 0 one chord, 1 left of the hole, 2 right of it, 3 both sides, -1 neither.
    int outcome = 0;
    RingSpan first;   // the chord, or the part left of the hole
    RingSpan second;  // the part right of the hole
};

// Whether a band of the ring (bottom y, needed width, height) has room inside
// the box, and the spans it has there. One unit for all lengths.
RingFit FitLineInDiscRing(int bandBottom, int widthNeeded, int bandHeight, int boxLeft, int boxTop, int boxRight,
                          int boxBottom, int discLeft, int discTop, int outerDiameter, int innerDiameter, int margin);
