// Writes component records in the binary form stream format ("TPF0" and one root record).
#pragma once

#include <string>

#include "form_model.h"

namespace formc {

std::string WriteFormStream(const ComponentRecord& root);

}  // namespace formc
