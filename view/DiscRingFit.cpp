#include "view/Quorbel6View.h"

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

bool CQuorbel6View::FitLineInDiscRing(int bandBottom, int widthNeeded, int bandHeight, int boxLeft, int boxTop,
                                      int boxRight, int boxBottom, int discLeft, int discTop, int outerDiameter,
                                      int innerDiameter, int margin, int& outcome)
{
    m_nSpan1Left = m_nSpan1Right = m_nSpan2Left = m_nSpan2Right = -1;
    outcome = 0;

    if (bandBottom < boxTop + bandHeight || bandBottom > boxBottom)
        return false;

    const long long radius = outerDiameter / 2;
    const long long centreX = discLeft + radius;
    const long long centreY = discTop + radius;

    // The band's edge farther from the centre decides whether it meets the rim.
    const long long farther = bandBottom >= centreY ? bandBottom - centreY : centreY - bandBottom + bandHeight;
    const long long usable = radius - margin;
    const long long chordSquare = usable * usable - farther * farther;
    if (chordSquare <= 0)
        return false;

    const long long halfChord = TruncatedRoot(chordSquare);
    const long long left = std::max<long long>(centreX - halfChord, boxLeft);
    const long long right = std::min<long long>(centreX + halfChord, boxRight);
    if (right - left < widthNeeded)
        return false;
    m_nSpan1Left = static_cast<int>(left);
    m_nSpan1Right = static_cast<int>(right);

    long long nearer = bandBottom;
    if (bandBottom > centreY)
        nearer = std::max<long long>(bandBottom - bandHeight, centreY);

    const long long holeRadius = innerDiameter / 2 + margin;
    if (nearer <= centreY - holeRadius || nearer >= centreY + holeRadius)
        return true;

    const long long toCentre = centreY - nearer;
    const long long halfHole = TruncatedRoot(holeRadius * holeRadius - toCentre * toCentre);
    const long long holeLeft = std::min(centreX - halfHole, right);
    const long long holeRight = std::max(centreX + halfHole, left);
    const bool leftFits = holeLeft - left > widthNeeded;
    const bool rightFits = right - holeRight > widthNeeded;

    if (leftFits && rightFits) {
        outcome = 3;
        m_nSpan1Right = static_cast<int>(holeLeft);
        m_nSpan2Left = static_cast<int>(holeRight);
        m_nSpan2Right = static_cast<int>(right);
    } else if (leftFits) {
        outcome = 1;
        m_nSpan1Right = static_cast<int>(holeLeft);
    } else if (rightFits) {
        outcome = 2;
        m_nSpan1Left = m_nSpan1Right = -1;
        m_nSpan2Left = static_cast<int>(holeRight);
        m_nSpan2Right = static_cast<int>(right);
    } else {
        outcome = -1;
        m_nSpan1Left = m_nSpan1Right = -1;
        return false;
    }
    if (outcome == 2 || outcome == 3) {
        m_nSpan2Left = std::min(std::max(m_nSpan2Left, boxLeft), boxRight);
        m_nSpan2Right = std::min(std::max(m_nSpan2Right, boxLeft), boxRight);
    }
    return true;
}
