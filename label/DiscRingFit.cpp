#include "label/DiscRingFit.h"

#include <algorithm>
#include <cmath>

namespace {

// Square roots of the ring geometry are whole units; 64-bit squares keep
// large discs in small units from overflowing.
long long TruncatedRoot(long long value)
{
    return value <= 0 ? 0 : static_cast<long long>(std::sqrt(static_cast<double>(value)));
}

}  // namespace

RingFit FitLineInDiscRing(int bandBottom, int widthNeeded, int bandHeight, int boxLeft, int boxTop, int boxRight,
                          int boxBottom, int discLeft, int discTop, int outerDiameter, int innerDiameter, int margin)
{
    RingFit fit;
    int& outcome = fit.outcome;
    int& firstLeft = fit.first.left;
    int& firstRight = fit.first.right;
    int& secondLeft = fit.second.left;
    int& secondRight = fit.second.right;

    if (bandBottom < boxTop + bandHeight || bandBottom > boxBottom)
        return fit;

    const long long radius = outerDiameter / 2;
    const long long centreX = discLeft + radius;
    const long long centreY = discTop + radius;

    // The band's edge farther from the centre decides whether it meets the rim.
    const long long farther = bandBottom >= centreY ? bandBottom - centreY : centreY - bandBottom + bandHeight;
    const long long usable = radius - margin;
    const long long chordSquare = usable * usable - farther * farther;
    if (chordSquare <= 0)
        return fit;

    const long long halfChord = TruncatedRoot(chordSquare);
    const long long left = std::max<long long>(centreX - halfChord, boxLeft);
    const long long right = std::min<long long>(centreX + halfChord, boxRight);
    if (right - left < widthNeeded)
        return fit;
    firstLeft = static_cast<int>(left);
    firstRight = static_cast<int>(right);

    long long nearer = bandBottom;
    if (bandBottom > centreY)
        nearer = std::max<long long>(bandBottom - bandHeight, centreY);

    const long long holeRadius = innerDiameter / 2 + margin;
    if (nearer <= centreY - holeRadius || nearer >= centreY + holeRadius) {
        fit.fits = true;
        return fit;
    }

    const long long toCentre = centreY - nearer;
    const long long halfHole = TruncatedRoot(holeRadius * holeRadius - toCentre * toCentre);
    const long long holeLeft = std::min(centreX - halfHole, right);
    const long long holeRight = std::max(centreX + halfHole, left);
    const bool leftFits = holeLeft - left > widthNeeded;
    const bool rightFits = right - holeRight > widthNeeded;

    if (leftFits && rightFits) {
        outcome = 3;
        firstRight = static_cast<int>(holeLeft);
        secondLeft = static_cast<int>(holeRight);
        secondRight = static_cast<int>(right);
    } else if (leftFits) {
        outcome = 1;
        firstRight = static_cast<int>(holeLeft);
    } else if (rightFits) {
        outcome = 2;
        firstLeft = firstRight = -1;
        secondLeft = static_cast<int>(holeRight);
        secondRight = static_cast<int>(right);
    } else {
        outcome = -1;
        firstLeft = firstRight = -1;
        return fit;
    }
    if (outcome == 2 || outcome == 3) {
        secondLeft = std::min(std::max(secondLeft, boxLeft), boxRight);
        secondRight = std::min(std::max(secondRight, boxLeft), boxRight);
    }
    fit.fits = true;
    return fit;
}
