// A numerical model of one well of a regular field, independent of the reports' method: steady
// Darcy flow in the axisymmetric cell of the same area as the well's share of the field, with
// no flow at its rim, the recharge falling on a free water table, the soil above the well's
// water level (Ka) and two anisotropic layers over an impermeable base, and the well screened
// from its water level down to its bottom with the entrance resistance per metre of screen.
// Finite volumes on a graded grid, solved with a sparse Cholesky factorisation.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// One well and its soil. Depths in m below the soil surface, permeabilities in m/day, the
// entrance resistance E in day/m (the head loss at the screen is E times the inflow per metre
// of screen), Q in m3/day.
struct WellCell {
  double D1 = 0, D2 = 0; // bottoms of layer 1 and layer 2 (the impermeable base)
  double Dw = 0;         // water level in the well
  double Db = 0;         // bottom of the well
  double E = 0, W = 0;   // entrance resistance, well diameter
  double Ka = 0;         // permeability above the well's water level, both directions
  double Kb1 = 0, Kv1 = 0, Kb2 = 0, Kv2 = 0;
  double Sa = 0, Sb = 0; // spacings of the pattern, m; equal for a square pattern
  double Q = 0;          // discharge of one well: the recharge on its Sa × Sb share
};

// Cells of the grid: radially from the screen to the rim, vertically below the well's water
// level, and in the saturated soil above it.
struct CellGrid {
  int radial = 80;
  int vertical = 40;
  int aboveWellLevel = 6;
};

struct CellSolution {
  std::vector<double> radius;     // the columns' centres, m from the well's axis
  std::vector<double> waterTable; // head of the water table there, m above the well's water level
  double rimRadius = 0;           // the cell's radius, √(Sa·Sb/π)
  double screenFaceHead = 0;      // head at the screen's face, averaged over the screen, m
  double inflow = 0;              // water entering the screen, m3/day
  int freeSurfaceIterations = 0;
};

// A cell the model cannot take.
class CellModelError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Why the model cannot take `cell` (no soil below the well's water level, no way for the water
// to reach the screen, a cell smaller than the well, ...); empty when it can.
std::string WellCellProblem(const WellCell& cell);

// Raises CellModelError for a cell WellCellProblem refuses or a water table that does not settle.
CellSolution SolveWellCell(const WellCell& cell, const CellGrid& grid = {});

// The discharge potential of the soil below the water table for a water table `head` m above the
// well's water level, m3/day per m of head gradient: its slope is the transmissivity.
double DischargePotential(const WellCell& cell, double head);
// The head whose discharge potential is `potential`.
double HeadOfPotential(const WellCell& cell, double potential);

// Head of the water table at (x, y), in m from a well of the pattern along its spacings Sa and
// Sb: the model's own head within the cell carried to the point by the pattern's horizontal
// flow beyond the model's last column.
double PatternHead(const WellCell& cell, const CellSolution& solution, double x, double y);
