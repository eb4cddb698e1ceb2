#include "analysis/ElementResults.h"

#include <algorithm>
#include <bit>
#include <ostream>
#include <string>

#include "model/NumberText.h"
#include "model/ParallelFor.h"
#include "model/SectionModel.h"

namespace colsec {

namespace {

// The "#ELEMENT" lines of elements [first, last) appended to `text`.
void formatElementLines(std::string& text, const std::vector<Element>& elements, std::size_t first, std::size_t last) {
  // One cache per thread, kept from block to block.
  thread_local NumberTextCache numbers;
  for (std::size_t i = first; i < last; ++i) {
    const Element& e = elements[i];
    text += "#ELEMENT PROF: ";
    appendNumber(text, e.profileNumber);
    text += " POS: ";
    numbers.append(text, e.posY);
    text += ' ';
    numbers.append(text, e.posZ);
    text += " DIM: ";
    numbers.append(text, e.dimY);
    text += ' ';
    numbers.append(text, e.dimZ);
    text += " EPSx: ";
    numbers.append(text, e.epsX);
    text += " sigX/tauY/Z: ";
    numbers.append(text, e.sigX);
    text += ' ';
    numbers.append(text, e.tauY);
    text += ' ';
    numbers.append(text, e.tauZ);
    text += '\n';
  }
}

}  // namespace

void writeElementResults(std::ostream& stream, const std::vector<Element>& elements, std::ostream& console,
                         int threads) {
  console << "Writing Element Results\n";
  stream << "//Elements\n";
  // Blocks of lines are formatted on every core, each into its own text,
  // and written in element order: the same characters as one pass. The
  // texts are reused from batch to batch, so the memory they take stays
  // small whatever the number of elements.
  constexpr std::size_t kBlock = 1024;
  constexpr std::size_t kBlocksAtOnce = 8;
  constexpr std::size_t kLongestLine = 200;
  const std::size_t blocks = (elements.size() + kBlock - 1) / kBlock;
  std::vector<std::string> texts(std::min(kBlocksAtOnce, blocks));
  for (std::string& text : texts) text.reserve(kBlock * kLongestLine);
  for (std::size_t start = 0; start < blocks; start += kBlocksAtOnce) {
    const std::size_t count = std::min(kBlocksAtOnce, blocks - start);
    parallelFor(static_cast<int>(count), threads > 0 ? threads : hardwareThreads(), [&](int k) {
      const std::size_t block = start + static_cast<std::size_t>(k);
      std::string& text = texts[static_cast<std::size_t>(k)];
      text.clear();
      formatElementLines(text, elements, block * kBlock, std::min(elements.size(), (block + 1) * kBlock));
    });
    for (std::size_t k = 0; k < count; ++k) stream.write(texts[k].data(), static_cast<std::streamsize>(texts[k].size()));
  }
}

ElementLimits limitsOf(const Element& e) {
  ElementLimits limits;
  limits.upper = e.stress(QueryLimitUpper, 0.0);
  limits.lower = e.stress(QueryLimitLower, 0.0);
  limits.shear = e.material->shearQuery(QueryLimitUpper, 0.0);
  limits.hasStrainLimit = e.material->hasStrainLimit;
  limits.ultimateStrain = e.material->ultimateStrain();
  return limits;
}

const ElementLimits& ElementLimitCache::of(const Element& e) {
  const auto tau = std::bit_cast<std::uint64_t>(e.tauComb);
  if (e.material != material_ || tau != tauBits_) {
    limits_ = limitsOf(e);
    material_ = e.material;
    tauBits_ = tau;
  }
  return limits_;
}

ElementLimitCheck checkElementLimit(const Element& e, double sigX, double epsX, const ElementLimits& limits) {
  ElementLimitCheck check;
  check.stressExceeded = sigX > limits.upper || limits.lower > sigX || e.tauComb > limits.shear;
  check.strainExceeded = limits.hasStrainLimit && limits.ultimateStrain > epsX;
  return check;
}

ElementLimitCheck checkElementLimit(const Element& e, double sigX, double epsX) {
  return checkElementLimit(e, sigX, epsX, limitsOf(e));
}

void checkElementLimits(SectionModel& model) {
  model.stressesWithinLimits = true;
  model.strainsWithinLimits = true;
  ElementLimitCache limits;
  for (Element& e : model.elements) {
    const ElementLimitCheck check = checkElementLimit(e, e.sigX, e.epsX, limits.of(e));
    e.stressExceeded = check.stressExceeded;
    if (check.stressExceeded) model.stressesWithinLimits = false;
    // A flag once set stays set.
    if (check.strainExceeded) {
      e.strainExceeded = true;
      model.strainsWithinLimits = false;
    }
  }
}

void collectMaterialExtremes(SectionModel& model, std::ostream& console) {
  console << "Saving Material Results\n";
  // One pass over the elements; each material still sees its own elements
  // in sequence order, as a pass per material would.
  std::size_t last = 0;
  for (const Element& e : model.elements) {
    if (last >= model.materials.size() || model.materials[last].get() != e.material) {
      last = 0;
      while (last < model.materials.size() && model.materials[last].get() != e.material) ++last;
      if (last == model.materials.size()) continue;
    }
    Material& m = *model.materials[last];
    // The first element sets every extreme, even beyond the ±1e100 start
    // values of a diverged run.
    if (m.maxSigmaElement == nullptr || e.sigX >= m.maxSigma) {
      m.maxSigma = e.sigX;
      m.maxSigmaElement = &e;
    }
    if (m.minSigmaElement == nullptr || e.sigX <= m.minSigma) {
      m.minSigma = e.sigX;
      m.minSigmaElement = &e;
    }
    if (m.maxTauElement == nullptr || e.tauComb >= m.maxTau) {
      m.maxTau = e.tauComb;
      m.maxTauElement = &e;
    }
    if (m.maxEpsElement == nullptr || e.epsX > m.maxEps) {
      m.maxEps = e.epsX;
      m.maxEpsElement = &e;
    }
    if (m.minEpsElement == nullptr || e.epsX < m.minEps) {
      m.minEps = e.epsX;
      m.minEpsElement = &e;
    }
  }
}


}  // namespace colsec
