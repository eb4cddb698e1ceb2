#include "analysis/StrainFallback.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "analysis/ElementResults.h"
#include "analysis/FibreTable.h"
#include "analysis/ResistanceDomain.h"
#include "analysis/SectionSums.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

// No element strain changes by more than this in one step: a full Newton
// step taken from a nearly plastified state can land far out on the
// plateaus of the laws, where every tangent is zero and nothing leads back.
constexpr double kMaxStrainStep = 0.005;

// Sufficient decrease of the merit for a step of length alpha:
// merit ≤ (1 − kArmijo·alpha)·merit.
constexpr double kArmijo = 1e-4;
constexpr int kBacktracks = 10;

// K0 added to a singular tangent K in the Newton step, as a fraction.
constexpr double kRegularisation = 1e-10;

// The Marquardt parameters tried, relative to diag(K0ᵀ·W·K0), after the
// Newton step failed the line search: kMarquardtFirst·kMarquardtGrowth^k.
constexpr int kMarquardtSteps = 5;
constexpr double kMarquardtFirst = 1e-8;
constexpr double kMarquardtGrowth = 100.0;

// Pivots below this fraction of the unit diagonal count as zero.
constexpr double kPivotFloor = 1e-12;

// The uniform strain of the starts beside zero strain: past the kink of the
// concrete laws at zero, well within every elastic range.
constexpr double kStartStrain = 1e-4;

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Vector3 = std::array<double, 3>;

struct Evaluation {
  ForceTriple forces;  // as sectionInternalForces gives them
  Matrix3 tangent{};   // Σ Et·A·[1, z, y]ᵀ[1, z, y], unknowns (epsX, kappaY, kappaZ)
};

// The forces are summed exactly as sectionInternalForces sums them, so that
// re-evaluating the reported state gives the reported forces bit for bit.
Evaluation evaluate(const std::vector<Element>& elements, const StrainState& state) {
  Evaluation result;
  ForceTriple sum;
  double k00 = 0.0, k01 = 0.0, k02 = 0.0, k11 = 0.0, k12 = 0.0, k22 = 0.0;
  for (const Element& e : elements) {
    const double strain = e.strainAt(state);
    const double n = e.material->stressQuery(QueryValue, strain, e.tauComb) * e.area;
    sum.nx += n;
    sum.my += n * e.posZ;
    sum.mz += n * e.posY;
    const double k = e.material->tangentModulus(strain, e.tauComb) * e.area;
    k00 += k;
    k01 += k * e.posZ;
    k02 += k * e.posY;
    k11 += k * e.posZ * e.posZ;
    k12 += k * e.posZ * e.posY;
    k22 += k * e.posY * e.posY;
  }
  result.forces = {clampSmall(sum.nx), clampSmall(sum.my), clampSmall(sum.mz)};
  result.tangent = {{{k00, k01, k02}, {k01, k11, k12}, {k02, k12, k22}}};
  return result;
}

// The section as the iteration reads it: the table of laws where there is
// one (the same sums, bit for bit), else the elements themselves.
class SectionLaws {
 public:
  SectionLaws(const std::vector<Element>& elements, const FibreTable* fibres) : elements_(elements), fibres_(fibres) {}

  // Forces and tangent at `state`.
  Evaluation operator()(const StrainState& state) const {
    Evaluation result = forcesAt(state);
    completeTangent(result);
    return result;
  }

  // The forces at `state`; the tangent follows from completeTangent, as
  // long as no other state was evaluated in between. Most trials of a line
  // search are rejected on their forces alone.
  Evaluation forcesAt(const StrainState& state) const {
    if (fibres_ == nullptr) return evaluate(elements_, state);
    // On the plateaus around the state evaluated last every fibre keeps
    // its stress and tangent: so do the sums.
    if (!(plateauMargin_ > 0.0 && fibres_->strainMove(evaluatedState_, state) < plateauMargin_)) {
      const ForceTriple before = evaluatedForces_;
      evaluatedForces_ = fibres_->newtonForces(state, stresses_, tangents_);
      evaluatedState_ = state;
      // Only fibres without stiffness can lie on plateaus, and they are
      // worth measuring only when the last move did not change the forces.
      const bool unchanged = std::bit_cast<std::uint64_t>(before.nx) == std::bit_cast<std::uint64_t>(evaluatedForces_.nx) &&
                             std::bit_cast<std::uint64_t>(before.my) == std::bit_cast<std::uint64_t>(evaluatedForces_.my) &&
                             std::bit_cast<std::uint64_t>(before.mz) == std::bit_cast<std::uint64_t>(evaluatedForces_.mz);
      const bool stiffless =
          unchanged && std::all_of(tangents_.begin(), tangents_.end(), [](double t) { return t == 0.0; });
      plateauMargin_ = stiffless ? fibres_->plateauMargin(state) : 0.0;
    }
    Evaluation result;
    result.forces = evaluatedForces_;
    return result;
  }

  void completeTangent(Evaluation& evaluation) const {
    if (fibres_ == nullptr) return;
    double k[6];
    fibres_->newtonTangent(tangents_, k);
    evaluation.tangent = {{{k[0], k[1], k[2]}, {k[1], k[3], k[4]}, {k[2], k[4], k[5]}}};
  }

 private:
  const std::vector<Element>& elements_;
  const FibreTable* fibres_;
  // The laws' values at the state evaluated last, its forces and how far
  // the states may move from it on the plateaus of every law.
  mutable std::vector<double> stresses_;
  mutable std::vector<double> tangents_;
  mutable StrainState evaluatedState_;
  mutable ForceTriple evaluatedForces_;
  mutable double plateauMargin_ = 0.0;
};

// Solves M·x = r for a symmetric positive semi-definite M. The system is
// scaled to a unit diagonal first (strain and curvatures differ by the
// section size); Gaussian elimination with full pivoting then drops the
// directions in which M has no stiffness, leaving those unknowns at 0.
// False when M is not a number or has no stiffness at all.
bool solveSymmetric(const Matrix3& m, const Vector3& r, Vector3& x) {
  Vector3 d{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      if (!std::isfinite(m[i][j])) return false;
    }
    d[i] = m[i][i] > 0.0 ? 1.0 / std::sqrt(m[i][i]) : 0.0;
  }
  Matrix3 a{};
  Vector3 b{};
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) a[i][j] = d[i] * m[i][j] * d[j];
    b[i] = d[i] * r[i];
  }
  std::array<int, 3> column{0, 1, 2};
  int rank = 0;
  for (int k = 0; k < 3; ++k) {
    int p = k;
    int q = k;
    for (int i = k; i < 3; ++i) {
      for (int j = k; j < 3; ++j) {
        if (std::fabs(a[i][j]) > std::fabs(a[p][q])) {
          p = i;
          q = j;
        }
      }
    }
    if (!(std::fabs(a[p][q]) > kPivotFloor)) break;
    std::swap(a[k], a[p]);
    std::swap(b[k], b[p]);
    for (int i = 0; i < 3; ++i) std::swap(a[i][k], a[i][q]);
    std::swap(column[k], column[q]);
    for (int i = k + 1; i < 3; ++i) {
      const double f = a[i][k] / a[k][k];
      for (int j = k; j < 3; ++j) a[i][j] -= f * a[k][j];
      b[i] -= f * b[k];
    }
    ++rank;
  }
  if (rank == 0) return false;
  Vector3 z{};
  for (int k = rank - 1; k >= 0; --k) {
    double sum = b[k];
    for (int j = k + 1; j < rank; ++j) sum -= a[k][j] * z[j];
    z[k] = sum / a[k][k];
  }
  for (int k = 0; k < 3; ++k) x[column[k]] = d[column[k]] * z[k];
  return true;
}

// Residual in units of the tolerance, so that forces and moments weigh
// alike in the merit.
struct Residual {
  ForceTriple r;
  double merit = 0.0;  // Σ (r / tolerance)²
  bool within = false;
};

class ResidualMeasure {
 public:
  ResidualMeasure(const ForceTriple& design, double tolerance)
      : design_(design), tolN_(tolerance * 1000), tolM_(tolerance * 1000000) {}

  // Weights of the squared residual components in the merit.
  Vector3 weights() const {
    const double wn = tolN_ > 0.0 ? 1.0 / (tolN_ * tolN_) : 1.0;
    const double wm = tolM_ > 0.0 ? 1.0 / (tolM_ * tolM_) : 1.0;
    return {wn, wm, wm};
  }

  Residual operator()(const ForceTriple& forces) const {
    Residual res;
    res.r = {design_.nx - forces.nx, design_.my - forces.my, design_.mz - forces.mz};
    const double sn = tolN_ > 0.0 ? res.r.nx / tolN_ : res.r.nx;
    const double sy = tolM_ > 0.0 ? res.r.my / tolM_ : res.r.my;
    const double sz = tolM_ > 0.0 ? res.r.mz / tolM_ : res.r.mz;
    res.merit = sn * sn + sy * sy + sz * sz;
    // The acceptance test of the diagonal iteration.
    res.within = tolN_ >= std::fabs(res.r.nx) && tolM_ >= std::fabs(res.r.my) && tolM_ >= std::fabs(res.r.mz);
    return res;
  }

 private:
  const ForceTriple design_;
  const double tolN_;
  const double tolM_;
};

// Largest lever arms: the bound of the strain change of a step is
// |ΔepsX| + |ΔkappaY|·zMax + |ΔkappaZ|·yMax.
struct LeverArms {
  double zMax = 0.0;
  double yMax = 0.0;
};

// The damped Newton iteration from one start state; the tangent at
// `scale` sets the regularisation and the scaling of the steps. `merit`
// receives the merit of the last state.
NewtonStrainSolution iterateFrom(const SectionLaws& section, const ResidualMeasure& measure,
                                 const LeverArms& arms, const StrainState& scale, const StrainState& start,
                                 double& merit) {
  const double zMax = arms.zMax;
  const double yMax = arms.yMax;
  NewtonStrainSolution solution;
  StrainState state = scale;
  Evaluation current = section(state);
  const Matrix3 initial = current.tangent;
  if (start.epsX != scale.epsX || start.kappaY != scale.kappaY || start.kappaZ != scale.kappaZ) {
    state = start;
    current = section(state);
  }
  Residual residual = measure(current.forces);

  // Row weights of the merit and the Marquardt scaling, diag(K0ᵀ·W·K0).
  const Vector3 weight = measure.weights();
  Vector3 scaling{};
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) scaling[j] += initial[i][j] * weight[i] * initial[i][j];
  }

  while (!residual.within && solution.iterations < kFallbackIterationLimit) {
    bool moved = false;
    const Vector3 r{residual.r.nx, residual.r.my, residual.r.mz};
    for (int attempt = 0; attempt <= kMarquardtSteps && !moved; ++attempt) {
      Vector3 step{};
      if (attempt == 0) {
        // Newton: K·δ = r, with a trace of K0 where K is singular.
        Matrix3 m{};
        for (int i = 0; i < 3; ++i) {
          for (int j = 0; j < 3; ++j) m[i][j] = current.tangent[i][j] + kRegularisation * initial[i][j];
        }
        if (!solveSymmetric(m, r, step)) continue;
      } else {
        // Levenberg-Marquardt: (KᵀWK + μ·diag(K0ᵀWK0))·δ = KᵀW·r. A descent
        // direction of the merit wherever K is, turning towards its scaled
        // gradient as μ grows; it leaves kinks of the laws where the Newton
        // step cannot.
        const double mu = kMarquardtFirst * std::pow(kMarquardtGrowth, attempt - 1);
        Matrix3 m{};
        Vector3 g{};
        for (int i = 0; i < 3; ++i) {
          for (int k = 0; k < 3; ++k) g[i] += current.tangent[k][i] * weight[k] * r[k];
          for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k) m[i][j] += current.tangent[k][i] * weight[k] * current.tangent[k][j];
          }
          m[i][i] += mu * scaling[i];
        }
        if (!solveSymmetric(m, g, step)) continue;
      }
      const double size = std::fabs(step[0]) + std::fabs(step[1]) * zMax + std::fabs(step[2]) * yMax;
      if (!std::isfinite(size) || size == 0.0) continue;
      if (size > kMaxStrainStep) {
        for (double& s : step) s *= kMaxStrainStep / size;
      }
      double alpha = 1.0;
      for (int k = 0; k <= kBacktracks; ++k, alpha /= 2) {
        const StrainState trial{state.epsX + alpha * step[0], state.kappaY + alpha * step[1],
                                state.kappaZ + alpha * step[2]};
        Evaluation evaluated = section.forcesAt(trial);
        const Residual trialResidual = measure(evaluated.forces);
        if (trialResidual.merit <= (1.0 - kArmijo * alpha) * residual.merit) {
          section.completeTangent(evaluated);
          state = trial;
          current = evaluated;
          residual = trialResidual;
          moved = true;
          break;
        }
      }
    }
    if (!moved) break;  // no direction lowers the residual: stalled
    ++solution.iterations;
  }

  solution.state = state;
  solution.forces = current.forces;
  solution.converged = residual.within;
  merit = residual.merit;
  return solution;
}

}  // namespace

NewtonStrainSolution solveStrainStateNewton(const std::vector<Element>& elements, const ForceTriple& design,
                                            double tolerance, const StrainState& start, const FibreTable* fibres) {
  const SectionLaws section{elements, fibres};
  const ResidualMeasure measure(design, tolerance);
  LeverArms arms;
  for (const Element& e : elements) {
    arms.zMax = std::max(arms.zMax, std::fabs(e.posZ));
    arms.yMax = std::max(arms.yMax, std::fabs(e.posY));
  }
  NewtonStrainSolution best;
  double bestMerit = std::numeric_limits<double>::infinity();
  bool first = true;
  // Keeps the first that converges, else the one that came closest (the
  // first of equals).
  const auto attempt = [&](const StrainState& scale, const StrainState& from) {
    double merit = 0.0;
    NewtonStrainSolution solution = iterateFrom(section, measure, arms, scale, from, merit);
    if (first || merit < bestMerit) {
      best = solution;
      bestMerit = merit;
      first = false;
    }
    return solution.converged;
  };
  // A given start (a state near the solution) is tried first, with the
  // steps scaled by the unstrained tangent.
  const StrainState zero{0.0, 0.0, 0.0};
  const bool given = start.epsX != 0.0 || start.kappaY != 0.0 || start.kappaZ != 0.0;
  if (given && attempt(zero, start)) return best;
  // At zero strain every concrete law has its full stiffness, taken from
  // the compressed side; a step into tension finds no stiffness there, so
  // for reinforced concrete in tension no step from zero lowers the
  // residual. Uniform strains of either sign start on one side of that
  // kink.
  const StrainState starts[] = {zero, {kStartStrain, 0.0, 0.0}, {-kStartStrain, 0.0, 0.0}};
  for (const StrainState& from : starts) {
    if (attempt(from, from)) return best;
  }
  return best;
}

void runStrainFallback(SectionModel& model, double tolerance, const FibreTable* fibres) {
  if (model.axialConverged) return;
  const ForceTriple design{model.designForces.nx, model.designForces.my, model.designForces.mz};
  model.strainFallback = solveAndCheckStrainState(model.elements, design, tolerance, {}, fibres);
}

StrainFallbackResult solveAndCheckStrainState(const std::vector<Element>& elements, const ForceTriple& design,
                                              double tolerance, const StrainState& start,
                                              const FibreTable* fibres) {
  const NewtonStrainSolution solution = solveStrainStateNewton(elements, design, tolerance, start, fibres);

  StrainFallbackResult result;
  result.attempted = true;
  result.converged = solution.converged;
  result.iterations = solution.iterations;
  result.strainState = solution.state;
  result.resultForces = solution.forces;
  result.stressesWithinLimits = true;
  result.strainsWithinLimits = true;
  ElementLimitCache limits;
  for (const Element& e : elements) {
    const double strain = e.strainAt(solution.state);
    const ElementLimitCheck check = checkElementLimit(e, e.stress(QueryValue, strain), strain, limits.of(e));
    if (check.stressExceeded) result.stressesWithinLimits = false;
    if (check.strainExceeded) result.strainsWithinLimits = false;
  }
  if (!solution.converged) {
    result.beyondResistance = findResistanceExcess(elements, design, tolerance).outside;
  }
  return result;
}

}  // namespace colsec
