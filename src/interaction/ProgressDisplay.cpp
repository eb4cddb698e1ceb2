#include <ostream>

#include "interaction/InteractionCurves.h"

namespace colsec {

void printProgressBar(std::ostream& console, int i, int n) {
  const float f = static_cast<float>(i) / static_cast<float>(n);
  const int k = static_cast<int>(f * 70.0f);
  console << "[";
  for (int j = 0; j < 70; ++j) console << (j < k ? '=' : j == k ? '>' : ' ');
  console << "] " << static_cast<int>(static_cast<double>(f) * 100.0) << " %\r";
}

}  // namespace colsec
