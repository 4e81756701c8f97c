#include "check/WellCellModel.h"

#include "check/PatternLattice.h"

#include <Eigen/Dense>
#include <Eigen/Sparse>
#include <Eigen/SparseCholesky>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

// Elevations are measured up from the impermeable base; the well's water level is at `top`.
struct Soil {
  double top;           // well's water level above the base
  double layerBoundary; // bottom of layer 1
  double screenBottom;
  double t1, t2; // thicknesses of layers 1 and 2 below the well's water level
};

Soil SoilOf(const WellCell& c) {
  Soil s;
  s.top = c.D2 - c.Dw;
  s.layerBoundary = std::clamp(c.D2 - c.D1, 0.0, s.top);
  s.screenBottom = std::clamp(c.D2 - c.Db, 0.0, s.top);
  s.t1 = s.top - s.layerBoundary;
  s.t2 = s.layerBoundary;
  return s;
}

double Radius(const WellCell& c) { return std::sqrt(c.Sa * c.Sb / kPi); }

// Faces of the cells of (from, to]: cells of `size` m, smaller towards an end marked fine
// (where a screen ends or its soil changes): there the first is a twentieth of `size`, and the
// cells grow to full size over `grading` m.
void AddSegment(std::vector<double>& faces, double from, double to, double size, double grading,
                bool fineFrom, bool fineTo) {
  auto cellSize = [&](double z) {
    const double fromEnd = std::min(fineFrom ? z - from : INFINITY, fineTo ? to - z : INFINITY);
    return size * std::min(1.0, 0.05 + fromEnd / grading);
  };
  // Cells counted along the segment: the integral of 1/cellSize, then cut into whole cells.
  const int samples = 1024;
  const double step = (to - from) / samples;
  std::vector<double> cells(samples + 1, 0);
  for (int j = 1; j <= samples; ++j)
    cells[j] = cells[j - 1] +
               0.5 * step * (1 / cellSize(from + (j - 1) * step) + 1 / cellSize(from + j * step));
  const int count = std::max(2, int(std::ceil(cells.back() - 1e-9)));
  for (int k = 1; k < count; ++k) {
    const double wanted = cells.back() * k / count;
    const int j = int(std::lower_bound(cells.begin(), cells.end(), wanted) - cells.begin());
    faces.push_back(from + step * (j - (cells[j] - wanted) / (cells[j] - cells[j - 1])));
  }
  faces.push_back(to);
}

struct Grid {
  std::vector<double> radialFaces, centres; // from the screen to the rim
  std::vector<double> faces;                // below the well's water level, bottom up
  std::vector<double> kh, kv;               // per cell below the well's water level
  std::vector<bool> screened;
  int above = 0; // cells above the well's water level
  int columnCells() const { return int(kh.size()) + above; }
};

// Radially a geometric series of cells from the screen to the rim. Vertically, cells of one
// size where each layer is stretched by √(Kb/Kv) (the isotropic equivalent), `vertical` of them
// across the soil below the well's water level, and smaller where the screen ends and where its
// soil changes.
Grid MakeGrid(const WellCell& c, const CellGrid& g) {
  const Soil s = SoilOf(c);
  Grid grid;
  const double rw = c.W / 2, rim = Radius(c);
  grid.radialFaces.push_back(rw);
  for (int i = 1; i <= g.radial; ++i)
    grid.radialFaces.push_back(rw * std::pow(rim / rw, double(i) / g.radial));
  for (int i = 0; i < g.radial; ++i)
    grid.centres.push_back(std::sqrt(grid.radialFaces[i] * grid.radialFaces[i + 1]));

  std::vector<double> breaks = {0, s.layerBoundary, s.screenBottom, s.top};
  std::sort(breaks.begin(), breaks.end());
  breaks.erase(
      std::unique(breaks.begin(), breaks.end(), [](double a, double b) { return b - a < 1e-9; }),
      breaks.end());
  auto inLayer1 = [&](double z) { return z > s.layerBoundary; };
  auto stretch = [&](double z) {
    const double kh = inLayer1(z) ? c.Kb1 : c.Kb2, kv = inLayer1(z) ? c.Kv1 : c.Kv2;
    return std::clamp(std::sqrt(kh / std::max(kv, 1e-12)), 0.2, 20.0);
  };
  auto fine = [&](double z) {
    return z == s.top || (z == s.screenBottom && z > 0) ||
           (z == s.layerBoundary && z > s.screenBottom && z < s.top);
  };
  double stretched = 0;
  for (size_t k = 1; k < breaks.size(); ++k)
    stretched += (breaks[k] - breaks[k - 1]) * stretch(0.5 * (breaks[k] + breaks[k - 1]));
  grid.faces.push_back(0);
  for (size_t k = 1; k < breaks.size(); ++k) {
    const double a = stretch(0.5 * (breaks[k] + breaks[k - 1]));
    AddSegment(grid.faces, breaks[k - 1], breaks[k], stretched / g.vertical / a, stretched / 8 / a,
               fine(breaks[k - 1]), fine(breaks[k]));
  }
  for (size_t k = 0; k + 1 < grid.faces.size(); ++k) {
    const double mid = 0.5 * (grid.faces[k] + grid.faces[k + 1]);
    grid.kh.push_back(inLayer1(mid) ? c.Kb1 : c.Kb2);
    grid.kv.push_back(inLayer1(mid) ? c.Kv1 : c.Kv2);
    grid.screened.push_back(mid > s.screenBottom);
  }
  grid.above = g.aboveWellLevel;
  return grid;
}

// Harmonic sum of two half cells, zero when either conducts nothing.
double Series(double a, double b) { return a > 0 && b > 0 ? 1 / (1 / a + 1 / b) : 0; }

class CellSystem {
public:
  CellSystem(const WellCell& cell, const Grid& grid) : c_(cell), g_(grid) {
    const double largest = std::max({c_.Ka, c_.Kb1, c_.Kv1, c_.Kb2, c_.Kv2});
    floor_ = 1e-9 * largest; // keeps soil that no water reaches in the system
    recharge_ = c_.Q / (c_.Sa * c_.Sb);
  }

  int Index(int column, int cell) const { return column * g_.columnCells() + cell; }
  int Unknowns() const { return int(g_.centres.size()) * g_.columnCells(); }

  // Thickness of a cell of column i; those above the well's water level share the water table's
  // height `level` there.
  double Thickness(int cell, double level) const {
    const int below = int(g_.kh.size());
    return cell < below ? g_.faces[cell + 1] - g_.faces[cell] : level / g_.above;
  }
  double Kh(int cell) const {
    return std::max(cell < int(g_.kh.size()) ? g_.kh[cell] : c_.Ka, floor_);
  }
  double Kv(int cell) const {
    return std::max(cell < int(g_.kv.size()) ? g_.kv[cell] : c_.Ka, floor_);
  }
  double Area(int column) const {
    const double in = g_.radialFaces[column], out = g_.radialFaces[column + 1];
    return kPi * (out * out - in * in);
  }
  // Conductance from a screened cell of the first column into the well, through half the
  // cell and the entrance resistance of its length of screen.
  double WellConductance(int cell) const {
    const double dz = Thickness(cell, 0);
    if (!g_.screened[cell] || g_.kh[cell] <= 0)
      return 0;
    const double soil = std::log(g_.centres[0] / g_.radialFaces[0]) / (2 * kPi * g_.kh[cell] * dz);
    return 1 / (soil + c_.E / dz);
  }

  // The system for the water table `level` (one height per column).
  void Assemble(const std::vector<double>& level, Eigen::SparseMatrix<double>& matrix,
                Eigen::VectorXd& rhs) const {
    const int columns = int(g_.centres.size()), cells = g_.columnCells();
    std::vector<Eigen::Triplet<double>> entries;
    entries.reserve(size_t(Unknowns()) * 5);
    rhs.setZero(Unknowns());
    auto connect = [&](int p, int q, double conductance) {
      entries.emplace_back(p, p, conductance);
      entries.emplace_back(q, q, conductance);
      entries.emplace_back(p, q, -conductance);
      entries.emplace_back(q, p, -conductance);
    };
    for (int i = 0; i < columns; ++i) {
      const double area = Area(i);
      for (int k = 0; k < cells; ++k) {
        const double dz = Thickness(k, level[i]);
        if (k + 1 < cells) {
          const double dzUp = Thickness(k + 1, level[i]);
          connect(Index(i, k), Index(i, k + 1),
                  Series(2 * Kv(k) * area / dz, 2 * Kv(k + 1) * area / dzUp));
        }
        if (i + 1 < columns) {
          const double height = 0.5 * (dz + Thickness(k, level[i + 1]));
          connect(Index(i, k), Index(i + 1, k),
                  2 * kPi * Kh(k) * height / std::log(g_.centres[i + 1] / g_.centres[i]));
        }
      }
      rhs[Index(i, cells - 1)] = recharge_ * area;
    }
    for (int k = 0; k < int(g_.kh.size()); ++k)
      entries.emplace_back(Index(0, k), Index(0, k), WellConductance(k));
    matrix.resize(Unknowns(), Unknowns());
    matrix.setFromTriplets(entries.begin(), entries.end());
  }

  // Head at the water table above column i: the top cell's head raised by the recharge's
  // fall through half the cell.
  double SurfaceHead(const Eigen::VectorXd& head, int column, double level) const {
    const int top = g_.columnCells() - 1;
    return head[Index(column, top)] + recharge_ * 0.5 * Thickness(top, level) / Kv(top);
  }

  // The water entering the screen and the head at its face, averaged over its length: the
  // head at the face is E times the inflow per metre of screen.
  void ScreenFlow(const Eigen::VectorXd& head, double& faceHead, double& inflow) const {
    double weighted = 0, length = 0;
    inflow = 0;
    for (int k = 0; k < int(g_.kh.size()); ++k) {
      if (!g_.screened[k])
        continue;
      const double dz = Thickness(k, 0), flow = WellConductance(k) * head[Index(0, k)];
      const double soilLoss = g_.kh[k] > 0 ? flow * std::log(g_.centres[0] / g_.radialFaces[0]) /
                                                 (2 * kPi * g_.kh[k] * dz)
                                           : 0;
      inflow += flow;
      weighted += (head[Index(0, k)] - soilLoss) * dz;
      length += dz;
    }
    faceHead = weighted / length;
  }

private:
  const WellCell& c_;
  const Grid& g_;
  double floor_ = 0, recharge_ = 0;
};

// The largest value of any input the model takes, and the thinnest soil or screen (m).
constexpr double kLargestValue = 1e9, kThinnest = 1e-3;

// Keeps the cells above the well's water level from vanishing.
constexpr double kLowestWaterTable = 1e-6;

// The water table of horizontal flow from the screen's face at the head of even inflow.
std::vector<double> HorizontalFlowWaterTable(const WellCell& cell,
                                             const std::vector<double>& radius) {
  const Soil soil = SoilOf(cell);
  const double area = cell.Sa * cell.Sb, rw = cell.W / 2;
  const double atScreen =
      DischargePotential(cell, cell.E * cell.Q / (soil.top - soil.screenBottom));
  std::vector<double> level;
  for (double r : radius)
    level.push_back(std::max(
        kLowestWaterTable, HeadOfPotential(cell, atScreen + cell.Q * (CirclePotential(area, r) -
                                                                      CirclePotential(area, rw)))));
  return level;
}

// Anderson's acceleration of the iteration x ← g(x): the next x is g(x) less the combination of
// the last few changes of g(x) whose changes of g(x) − x best cancel the present g(x) − x. The
// plain iteration crawls when the recharge comes near Ka.
class AndersonMixing {
public:
  explicit AndersonMixing(int remembered) : remembered_(remembered) {}

  Eigen::VectorXd Next(const Eigen::VectorXd& x, const Eigen::VectorXd& gx) {
    const Eigen::VectorXd residual = gx - x;
    if (lastResidual_.size() > 0) {
      if (residualChanges_.cols() == remembered_) {
        residualChanges_ = residualChanges_.rightCols(remembered_ - 1).eval();
        valueChanges_ = valueChanges_.rightCols(remembered_ - 1).eval();
      }
      residualChanges_.conservativeResize(x.size(), residualChanges_.cols() + 1);
      valueChanges_.conservativeResize(x.size(), valueChanges_.cols() + 1);
      residualChanges_.rightCols(1) = residual - lastResidual_;
      valueChanges_.rightCols(1) = gx - lastValue_;
    }
    lastResidual_ = residual;
    lastValue_ = gx;
    if (residualChanges_.cols() == 0)
      return gx;
    return gx - valueChanges_ * residualChanges_.colPivHouseholderQr().solve(residual);
  }

private:
  int remembered_;
  Eigen::VectorXd lastResidual_, lastValue_;
  Eigen::MatrixXd residualChanges_, valueChanges_;
};
} // namespace

// Odd in the head, so that a potential below that of the well's water level still has a head.
double DischargePotential(const WellCell& cell, double head) {
  const Soil s = SoilOf(cell);
  return (cell.Kb1 * s.t1 + cell.Kb2 * s.t2) * head + 0.5 * cell.Ka * head * std::abs(head);
}

double HeadOfPotential(const WellCell& cell, double potential) {
  const Soil s = SoilOf(cell);
  const double t = cell.Kb1 * s.t1 + cell.Kb2 * s.t2, ka = std::copysign(cell.Ka, potential);
  if (std::abs(ka * potential) < 1e-12 * t * t)
    return potential / t;
  return (std::sqrt(t * t + 2 * ka * potential) - t) / ka;
}

std::string WellCellProblem(const WellCell& c) {
  for (double value : {c.D1, c.D2, c.Dw, c.Db, c.Sa, c.Sb, c.Q})
    if (!(std::abs(value) <= kLargestValue))
      return "a value of the well or its soil is not a number of at most 1E9";
  for (double value : {c.E, c.W, c.Ka, c.Kb1, c.Kv1, c.Kb2, c.Kv2})
    if (!(value >= 0 && value <= kLargestValue))
      return "a permeability, the entrance resistance or the diameter is negative or not a "
             "number of at most 1E9";
  const Soil s = SoilOf(c);
  const bool layer1 = s.t1 > 0, layer2 = s.t2 > 0;
  const bool screenIn1 = layer1, screenIn2 = layer2 && s.screenBottom < s.layerBoundary;
  if (!(c.D2 - c.Dw >= kThinnest))
    return "there is no soil below the water level in the well (D2 must lie below Dw)";
  if (!(c.Db - c.Dw >= kThinnest))
    return "the well has no screen below its water level (Db must lie below Dw)";
  if (!(c.W > 0))
    return "the well has no diameter";
  if (!(c.Sa > 0) || !(c.Sb > 0) || !(Radius(c) > c.W))
    return "the well's share of the field is no wider than the well";
  if (std::max(c.Sa, c.Sb) > 100 * std::min(c.Sa, c.Sb))
    return "one spacing of the pattern is more than a hundred times the other";
  if (!(c.Q > 0))
    return "the well's discharge is not above 0";
  if (!(c.Ka > 0) || (layer1 && !(c.Kv1 > 0)))
    return "no water can flow down to the screen (Ka, and Kv1 of a layer 1 below the well's water "
           "level, must be above 0)";
  if (c.Q / (c.Sa * c.Sb) >= c.Ka)
    return "the recharge is not below Ka: the soil above the well's water level cannot pass it "
           "down, and no water table settles";
  if (!((screenIn1 && c.Kb1 > 0) || (screenIn2 && c.Kb2 > 0 && c.Kv2 > 0)))
    return "no water can enter the screen (the horizontal permeability of a layer along the "
           "screen must be above 0)";
  return {};
}

CellSolution SolveWellCell(const WellCell& cell, const CellGrid& cellGrid) {
  if (const std::string problem = WellCellProblem(cell); !problem.empty())
    throw CellModelError("The check cannot model this well: " + problem + ".");
  const Grid grid = MakeGrid(cell, cellGrid);
  const CellSystem system(cell, grid);
  const int columns = int(grid.centres.size());
  CellSolution solution;
  solution.radius = grid.centres;
  solution.rimRadius = Radius(cell);

  // The water table is where the head equals the height: a fixed point of "move each column's
  // water table to the head the solution gives there", starting from horizontal flow.
  const double tolerance = 1e-6; // m, per m of the highest water table above 1 m
  std::vector<double> level = HorizontalFlowWaterTable(cell, grid.centres);
  Eigen::VectorXd x = Eigen::Map<Eigen::VectorXd>(level.data(), columns), head;
  Eigen::SparseMatrix<double> matrix;
  Eigen::VectorXd rhs;
  Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> solver;
  AndersonMixing mixing(5);
  for (int iteration = 1;; ++iteration) {
    std::copy(x.data(), x.data() + columns, level.begin());
    system.Assemble(level, matrix, rhs);
    if (iteration == 1)
      solver.analyzePattern(matrix);
    solver.factorize(matrix);
    if (solver.info() != Eigen::Success)
      throw CellModelError("The check's equations for this well cannot be solved.");
    head = solver.solve(rhs);
    Eigen::VectorXd moved(columns);
    for (int i = 0; i < columns; ++i)
      moved[i] = std::max(system.SurfaceHead(head, i, level[i]), kLowestWaterTable);
    const double change = (moved - x).cwiseAbs().maxCoeff();
    solution.freeSurfaceIterations = iteration;
    if (change < tolerance * std::max(1.0, x.maxCoeff()))
      break;
    if (iteration == 200 || !(change < 1e6))
      throw CellModelError("The check's water table for this well does not settle.");
    x = mixing.Next(x, moved).cwiseMax(kLowestWaterTable);
  }
  for (int i = 0; i < columns; ++i)
    solution.waterTable.push_back(system.SurfaceHead(head, i, level[i]));
  system.ScreenFlow(head, solution.screenFaceHead, solution.inflow);
  return solution;
}

double PatternHead(const WellCell& cell, const CellSolution& solution, double x, double y) {
  const double area = cell.Sa * cell.Sb;
  const double r = std::hypot(x, y);
  const auto& radius = solution.radius;
  const double rho = std::clamp(r, radius.front(), radius.back());
  size_t i = std::upper_bound(radius.begin(), radius.end(), rho) - radius.begin();
  i = std::clamp<size_t>(i, 1, radius.size() - 1);
  const double t = std::log(rho / radius[i - 1]) / std::log(radius[i] / radius[i - 1]);
  const double level =
      solution.waterTable[i - 1] + t * (solution.waterTable[i] - solution.waterTable[i - 1]);
  return HeadOfPotential(
      cell, DischargePotential(cell, level) +
                cell.Q * (PatternPotential(cell.Sa, cell.Sb, x, y) - CirclePotential(area, rho)));
}
