#include "cad/PictureNames.h"

namespace kyrovane {

std::string TCad_PictureNames::NameFor(const std::string& AKey) {
  auto [it, added] = names_.try_emplace(AKey);
  if (added) it->second = "Im" + std::to_string(names_.size());
  return it->second;
}

}  // namespace kyrovane
