#include "input/InputChecks.h"

#include <algorithm>
#include <ostream>
#include <sstream>

#include "input/InputError.h"
#include "model/SectionModel.h"
#include "profiles/Discretisation.h"

namespace colsec {

void checkInput(const SectionModel& model, const InputRecordLines& lines, const std::string& fileName,
                std::ostream& warnings) {
  if (lines.settingsLine == 0) {
    throw InputError(fileName + ": no #SETTINGS record: the element size (feSize) is missing");
  }
  const bool anyMaterial = std::any_of(model.profiles.begin(), model.profiles.end(),
                                      [](const auto& profile) { return profile->material != nullptr; });
  if (!anyMaterial) {
    // Nothing could carry the forces; a verdict on it would mean nothing.
    throw InputError(fileName + ": no profile with a defined material: the section is empty");
  }
  if (lines.forcesLine == 0) {
    warnings << fileName << ": warning: no #FORCEED record; the design forces are taken as 0\n";
  }

  const std::string at = fileName + ":" + std::to_string(lines.settingsLine) + ": #SETTINGS ";
  if (model.allNonlinear) {
    const Settings& settings = model.settings;
    if (settings.angularSubdivisions == 1) {
      throw InputError(at + "angularSubdivisions: \"1\" gives no angle step; use 0 or at least 2");
    }
    if (settings.offsetSubdivisions < 2) {
      throw InputError(at + "offsetSubdivisions: \"" + std::to_string(settings.offsetSubdivisions) +
                       "\" must be at least 2 for the interaction curves");
    }
  }

  const GridSize grid = countSectionGrid(model);
  const double cells = grid.largest();
  // Written so that a count that is not a number fails too.
  if (!(grid.y <= kMaxGridCells && grid.z <= kMaxGridCells && grid.y * grid.z <= kMaxGridCells)) {
    std::ostringstream message;
    message << at << "feSize: the grid would have ";
    // The count is a whole number; show every digit while it fits.
    if (cells < 1e18) {
      message << static_cast<long long>(cells);
    } else {
      message << cells;
    }
    message << " cells at an element size of "
            << model.settings.feSize << " mm; at most 10000000 are allowed";
    throw InputError(message.str());
  }
}

}  // namespace colsec
