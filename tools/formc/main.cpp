// formc: compiles a form description (.vfm) into a binary form stream for an RT_RCDATA resource.
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "form_writer.h"
#include "output_files.h"
#include "parser.h"

namespace {

constexpr const char* Usage =
    "usage: formc [--depfile FILE] [--rc FILE] -o OUTPUT.bin DESCRIPTION.vfm\n"
    "  -o FILE         the binary form stream to write\n"
    "  --depfile FILE  also write a make-style dependency file (the description and its @file data)\n"
    "  --rc FILE       also write a resource script embedding OUTPUT as RT_RCDATA named after the class\n";

struct Options {
    std::filesystem::path input;
    std::filesystem::path output;
    std::optional<std::filesystem::path> dependencyFile;
    std::optional<std::filesystem::path> resourceScript;
};

std::optional<Options> ParseArguments(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "-o" && hasValue)
            options.output = argv[++i];
        else if (argument == "--depfile" && hasValue)
            options.dependencyFile = argv[++i];
        else if (argument == "--rc" && hasValue)
            options.resourceScript = argv[++i];
        else if (!argument.starts_with('-') && options.input.empty())
            options.input = argument;
        else
            return std::nullopt;
    }
    if (options.input.empty() || options.output.empty())
        return std::nullopt;
    return options;
}

int Compile(const Options& options)
{
    std::ifstream file(options.input, std::ios::binary);
    std::stringstream source;
    if (file)
        source << file.rdbuf();
    if (!file || file.bad()) {
        std::cerr << "formc: error: cannot read " << options.input.string() << "\n";
        return 1;
    }

    try {
        const formc::ParsedForm form = formc::ParseForm(source.str(), options.input.parent_path());
        formc::StagedOutputs outputs;
        outputs.Stage(options.output, formc::WriteFormStream(form.root));
        if (options.resourceScript)
            outputs.Stage(*options.resourceScript, formc::ResourceScriptText(form.root.className, options.output));
        if (options.dependencyFile) {
            std::vector<std::filesystem::path> inputs{options.input};
            inputs.insert(inputs.end(), form.dataFiles.begin(), form.dataFiles.end());
            outputs.Stage(*options.dependencyFile, formc::DependencyFileText(options.output, inputs));
        }
        outputs.Commit();
    } catch (const formc::CompileError& error) {
        std::cerr << options.input.string() << ":" << error.Where().line << ":" << error.Where().column
                  << ": error: " << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "formc: error: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = ParseArguments(argc, argv);
    if (!options) {
        std::cerr << Usage;
        return 2;
    }
    return Compile(*options);
}
