#pragma once
// The table of material laws: everything the program needs to know about a
// law besides its class, in one entry per law. Adding a law means writing
// its class and adding one entry to the table in MaterialLaws.cpp.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <typeinfo>

#include "model/Material.h"
#include "model/ValueLayout.h"

namespace colsec {

// The inlined evaluation the solver's fibre table uses for a law; Other
// goes through the virtual operations and is right for any law.
enum class FibreLaw : std::uint8_t { Linear, StructuralSteel, ReinforcingSteel, Parabola, Bilinear, Other };

struct RgbColour {
  unsigned char r;
  unsigned char g;
  unsigned char b;
};

struct MaterialLaw {
  // The law keyword of a "#MATERIAL" line, matched exactly.
  const char* keyword;
  // The parameters after the record's third label, in input order.
  std::span<const ValueField> parameters;
  // Creates the law from its number, priority and the parameters, parsed
  // and checked in the order of `parameters`.
  std::unique_ptr<Material> (*create)(std::int32_t number, std::int32_t priority, std::span<const double> values);
  // The class the entry creates; identifies the law of a Material.
  const std::type_info* type;
  MaterialKind kind;
  FibreLaw fibreLaw;
  // For the picture page: what the legend calls the law and the four
  // shades of its family, one per material of the same law.
  const char* kindText;
  std::array<RgbColour, 4> legendColours;
};

// Every law, in the order the input description lists them.
std::span<const MaterialLaw> materialLaws();
// The law with exactly this keyword, or nullptr.
const MaterialLaw* findMaterialLaw(std::string_view keyword);
// The law a material was created from, or nullptr for a class outside the
// table (test doubles).
const MaterialLaw* lawOf(const Material& material);

}  // namespace colsec
