#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Folders of src/ that a folder's files must not include. Every folder not named here (the windows of
// the subsystems) may include anything but the application shell.
const std::map<std::string, std::set<std::string>> &forbiddenByFolder()
{
    static const std::map<std::string, std::set<std::string>> table{
        {"fb", {"data", "exchange", "ui", "reference", "app"}},
        {"data", {"exchange", "ui", "reference", "app"}},
        {"exchange", {"ui", "reference", "app"}},
        {"ui", {"reference", "app"}},
        {"app", {}},
        {"installer", {"fb", "data", "exchange", "ui", "reference", "app"}},
    };
    return table;
}

struct WrongInclude
{
    std::string file;
    std::string include;
};

std::vector<WrongInclude> wrongIncludes(const fs::path &sourceRoot)
{
    static const std::regex quotedInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<WrongInclude> wrong;
    for (const auto &entry : fs::recursive_directory_iterator(sourceRoot)) {
        const auto extension = entry.path().extension();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const auto relative = entry.path().lexically_relative(sourceRoot);
        const std::string folder = relative.begin()->string();
        std::set<std::string> forbidden{"app"};
        if (const auto rule = forbiddenByFolder().find(folder); rule != forbiddenByFolder().end())
            forbidden = rule->second;

        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (!std::regex_search(line, match, quotedInclude))
                continue;
            const std::string included = match[1];
            const auto slash = included.find('/');
            // Reaching out of the folder with ".." hides the layer from this check.
            const std::string includedFolder = slash == std::string::npos ? folder : included.substr(0, slash);
            if (includedFolder == ".." || forbidden.contains(includedFolder))
                wrong.push_back({relative.string(), included});
        }
    }
    return wrong;
}

} // namespace

// Each layer includes only the layers below it: the client layer and the data layer know nothing of
// windows, and nothing below the application shell includes a file of the shell.
TEST(IncludeLayers, EveryFolderIncludesOnlyTheLayersBelowIt)
{
    const fs::path sourceRoot{VELKORA1_SOURCE_ROOT};
    ASSERT_TRUE(fs::is_directory(sourceRoot / "data")) << sourceRoot;
    for (const auto &wrong : wrongIncludes(sourceRoot))
        ADD_FAILURE() << wrong.file << " includes \"" << wrong.include << "\"";
}
