// The files formc writes: staged beside their targets and renamed into place only when all are ready,
// so that a failed run never leaves a partial or mismatched output.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace formc {

class StagedOutputs {
public:
    StagedOutputs() = default;
    StagedOutputs(const StagedOutputs&) = delete;
    StagedOutputs& operator=(const StagedOutputs&) = delete;
    // Removes the temporary files of a run that did not commit.
    ~StagedOutputs();

    // Writes the content to a temporary file next to the target; throws std::runtime_error.
    void Stage(const std::filesystem::path& target, std::string_view content);
    // Renames every staged file over its target.
    void Commit();

private:
    struct Staged {
        std::filesystem::path temporary;
        std::filesystem::path target;
    };
    std::vector<Staged> staged_;
};

// A make-style dependency file: "output: input data files", for the build to recompile when any changes.
std::string DependencyFileText(const std::filesystem::path& output, const std::vector<std::filesystem::path>& inputs);

// A resource script line that embeds the compiled form as RT_RCDATA named after its class in capitals.
std::string ResourceScriptText(const std::string& className, const std::filesystem::path& compiledForm);

}  // namespace formc
