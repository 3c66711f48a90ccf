// Reads a form description into the component records it describes.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "form_model.h"

namespace formc {

struct ParsedForm {
    ComponentRecord root;
    std::vector<std::filesystem::path> dataFiles;  // files read by @file(...), for build dependencies
};

// Parses a whole description (UTF-8). @file paths are taken relative to baseDirectory.
// Throws CompileError at the first mistake.
ParsedForm ParseForm(std::string_view utf8Source, const std::filesystem::path& baseDirectory);

}  // namespace formc
