#pragma once
// Elastic-perfectly-plastic law with limit f and modulus M:
//
//   stress
//     f |        +--------
//       |       /
//       |      /  slope M
//   ----+-----/-----------> strain
//       |    /  ±f/M
//    -f +---+
//
// The yield tests are strict: a strain of exactly ±f/M is still elastic.

namespace colsec {

inline double elasticPlasticStress(double strain, double limit, double modulus) {
  if (strain > limit / modulus) return limit;
  if (strain < -limit / modulus) return -limit;
  return strain * modulus;
}

inline double elasticPlasticTangent(double strain, double limit, double modulus) {
  if (strain > limit / modulus || strain < -limit / modulus) return 0.0;
  return modulus;
}

}  // namespace colsec
