#pragma once
// The tolerances and limits of the checks, in one place with their units.
// Algorithm constants private to one solver (step limits, line-search
// factors) stay beside their code.

namespace colsec {

// Convergence tolerance of both solvers in kN and kNm: a force residual
// passes at kSolverTolerance·1000 N, a moment residual at
// kSolverTolerance·1e6 Nmm.
inline constexpr double kSolverTolerance = 0.0001;

// Design check, EN 1994-1-1 6.7.3.1 (1): plastic moment resistances for
// the two signs of a moment that differ by more than this share [-] mark a
// section that is not doubly symmetric.
inline constexpr double kSymmetryTolerance = 0.01;

// Design check: a meshed profile area further than this share [-] from
// the exact area is reported.
inline constexpr double kFibreAreaTolerance = 0.02;

// Units check of the input: a design force below this share [-] of its
// resistance looks like kN typed as N.
inline constexpr double kTinyForceShare = 0.01;

}  // namespace colsec
