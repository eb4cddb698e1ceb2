#pragma once
// Small hand-built sections for the fibre analysis tests: a model with a
// captured console, elements placed directly, and text helpers.

#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Element.h"
#include "model/SectionModel.h"

namespace colsec::test {

// A section model that keeps what it writes to the console.
struct TestSection {
  std::ostringstream console;
  SectionModel model{console};

  // Room for every hand-built section, so that the references addElement
  // returns stay valid while more elements are added.
  TestSection() { model.elements.reserve(kCapacity); }
  static constexpr std::size_t kCapacity = 4096;

  // Takes ownership of the material and returns it for the elements.
  template <typename M, typename... Args>
  const M* addMaterial(Args&&... args) {
    auto material = std::make_unique<M>(std::forward<Args>(args)...);
    const M* raw = material.get();
    model.materials.push_back(std::move(material));
    return raw;
  }

  Element& addElement(double y, double z, double dy, double dz, const Material* material, double shearFactorY = 1.0,
                      double shearFactorZ = 1.0, std::int32_t profile = 1) {
    if (model.elements.size() == kCapacity) throw std::length_error("TestSection is full");
    model.elements.emplace_back(y, z, dy, dz, CellOwner{profile, material, shearFactorY, shearFactorZ}, profile);
    return model.elements.back();
  }

  // A solid b (along y) x h (along z) rectangle centred on the origin as a
  // grid of ny x nz equal elements, y outer and z inner as the
  // discretisation orders them.
  void addGridRectangle(const Material* material, double b, double h, int ny, int nz) {
    const double dy = b / ny;
    const double dz = h / nz;
    for (int i = 0; i < ny; ++i) {
      for (int j = 0; j < nz; ++j) addElement(-b / 2 + dy / 2 + i * dy, -h / 2 + dz / 2 + j * dz, dy, dz, material);
    }
  }
};

}  // namespace colsec::test
