// Heads of a regular field of wells in the horizontal-flow approximation: every well pumps Q
// and recharge falls evenly on the field, so the discharge potential Φ (m3/day, dΦ/dh is the
// transmissivity) repeats from cell to cell. The circle of the same area as one cell, with no
// flow at its rim, is the well-cell model; these functions say how the pattern differs from it.
#pragma once

// Potential of the rectangular pattern with spacings `a` (along x) and `b` (along y) at the
// point (x, y), relative to the well at the origin, per unit of Q: it behaves as ln(r)/2π near
// the well. Lengths in m; a and b positive and within a factor 100 of each other; (x, y) not on
// a well.
double PatternPotential(double a, double b, double x, double y);

// Potential of the circle of area `area` with no flow at its rim at distance r from its
// well, per unit of Q, with the same behaviour near the well: (ln r − r²/2ρ²)/2π, ρ the rim.
double CirclePotential(double area, double r);

// How much higher the pattern's potential stands at (x, y) than the circle's at its rim, per
// unit of Q: −0.0103 midway between neighbouring wells of a square pattern, +0.0173 at the
// centre of its cell.
double RimCoefficient(double a, double b, double x, double y);
