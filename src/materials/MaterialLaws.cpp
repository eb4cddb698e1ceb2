#include "materials/MaterialLaws.h"

#include <typeinfo>

#include "materials/Concrete1992_3171.h"
#include "materials/Concrete1992_3172.h"
#include "materials/LinearMaterial.h"
#include "materials/Steel1992_327b.h"
#include "materials/Steel1993_543.h"

namespace colsec {

namespace {

constexpr ValueCheck kAny = ValueCheck::Number;

constexpr ValueField kLinearParameters[] = {
    {"E", kAny}, {"fyt", kAny}, {"fyc", kAny}, {"G", kAny}, {"fys", kAny}};
constexpr ValueField kSteel1993Parameters[] = {{"E", kAny}, {"fyd", kAny}, {"G", kAny}};
constexpr ValueField kSteel1992Parameters[] = {{"E", kAny}, {"fyd", kAny}};
// epsC2 divides the strain in both concrete laws.
constexpr ValueField kParabolaParameters[] = {{"E", kAny},     {"fcd", kAny},    {"fcdRedF", kAny},
                                             {"epsC2", ValueCheck::NonZero}, {"epsCu2", kAny}, {"n", kAny}};
constexpr ValueField kBilinearParameters[] = {
    {"E", kAny}, {"fcd", kAny}, {"fcdRedF", kAny}, {"epsC2", ValueCheck::NonZero}, {"epsCu2", kAny}};

std::unique_ptr<Material> createLinear(std::int32_t number, std::int32_t priority, std::span<const double> v) {
  return std::make_unique<LinearMaterial>(number, priority, v[0], v[1], v[2], v[3], v[4]);
}
std::unique_ptr<Material> createSteel1993(std::int32_t number, std::int32_t priority, std::span<const double> v) {
  return std::make_unique<Steel1993_543>(number, priority, v[0], v[1], v[2]);
}
std::unique_ptr<Material> createSteel1992(std::int32_t number, std::int32_t priority, std::span<const double> v) {
  return std::make_unique<Steel1992_327b>(number, priority, v[0], v[1]);
}
std::unique_ptr<Material> createParabola(std::int32_t number, std::int32_t priority, std::span<const double> v) {
  return std::make_unique<Concrete1992_3171>(number, priority, v[0], v[1], v[2], v[3], v[4], v[5]);
}
std::unique_ptr<Material> createBilinear(std::int32_t number, std::int32_t priority, std::span<const double> v) {
  return std::make_unique<Concrete1992_3172>(number, priority, v[0], v[1], v[2], v[3], v[4]);
}

constexpr std::array<RgbColour, 4> kConcreteShades = {{{0xc4, 0xc4, 0xc4}, {0xa0, 0xa0, 0xa0}, {0xde, 0xde, 0xde},
                                                        {0x86, 0x86, 0x86}}};
constexpr std::array<RgbColour, 4> kSteelShades = {{{0x3b, 0x6c, 0xa3}, {0x6c, 0x9a, 0xcc}, {0x22, 0x4b, 0x78},
                                                     {0x8f, 0xb4, 0xdb}}};
constexpr std::array<RgbColour, 4> kBarShades = {{{0xb3, 0x4a, 0x1e}, {0xe0, 0x8a, 0x2e}, {0x7a, 0x2e, 0x12},
                                                   {0xf0, 0xb0, 0x60}}};
constexpr std::array<RgbColour, 4> kLinearShades = {{{0x4f, 0x9a, 0x4f}, {0x8c, 0xc0, 0x84}, {0x2f, 0x6b, 0x2f},
                                                      {0xb5, 0xd9, 0xa8}}};

const MaterialLaw kLaws[] = {
    {"LINEAR", kLinearParameters, createLinear, &typeid(LinearMaterial), MaterialLinear, FibreLaw::Linear,
     "linear elastic", kLinearShades},
    {"Steel1993_543", kSteel1993Parameters, createSteel1993, &typeid(Steel1993_543), MaterialSteel,
     FibreLaw::StructuralSteel, "structural steel", kSteelShades},
    {"Steel1992_327b", kSteel1992Parameters, createSteel1992, &typeid(Steel1992_327b), MaterialSteel,
     FibreLaw::ReinforcingSteel, "reinforcing steel", kBarShades},
    {"CONC1992_3171", kParabolaParameters, createParabola, &typeid(Concrete1992_3171), MaterialConcrete,
     FibreLaw::Parabola, "concrete, parabola-rectangle", kConcreteShades},
    {"CONC1992_3172", kBilinearParameters, createBilinear, &typeid(Concrete1992_3172), MaterialConcrete,
     FibreLaw::Bilinear, "concrete, bilinear", kConcreteShades},
};

}  // namespace

std::span<const MaterialLaw> materialLaws() { return kLaws; }

const MaterialLaw* findMaterialLaw(std::string_view keyword) {
  for (const MaterialLaw& law : kLaws) {
    if (keyword == law.keyword) return &law;
  }
  return nullptr;
}

const MaterialLaw* lawOf(const Material& material) {
  // Asked per element by some passes: the last answer of this thread is
  // kept, recognised by the identity of the type's descriptor.
  thread_local const std::type_info* lastType = nullptr;
  thread_local const MaterialLaw* lastLaw = nullptr;
  const std::type_info& type = typeid(material);
  if (&type == lastType) return lastLaw;
  const MaterialLaw* found = nullptr;
  for (const MaterialLaw& law : kLaws) {
    if (type == *law.type) {
      found = &law;
      break;
    }
  }
  lastType = &type;
  lastLaw = found;
  return found;
}

}  // namespace colsec
