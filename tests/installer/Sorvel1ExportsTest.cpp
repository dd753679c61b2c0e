// What libSorvel1.so shows to the installer that loads it, read from its ELF dynamic section.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <elf.h>

namespace {

struct DynamicSection
{
    std::set<std::string> definedSymbols; // global or weak, defined in the library, not hidden
    std::set<std::string> needed;         // DT_NEEDED libraries
};

template <class T> T at(const std::vector<char> &image, std::size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= image.size())
        std::memcpy(&value, image.data() + offset, sizeof(T));
    return value;
}

std::string stringAt(const std::vector<char> &image, std::size_t offset)
{
    return offset < image.size() ? std::string(image.data() + offset) : std::string();
}

DynamicSection readDynamicSection(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    DynamicSection result;
    const auto header = at<Elf64_Ehdr>(image, 0);
    if (image.size() < sizeof header || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64)
        return result;
    for (int i = 0; i < header.e_shnum; ++i) {
        const auto section = at<Elf64_Shdr>(image, header.e_shoff + i * header.e_shentsize);
        const auto strings = at<Elf64_Shdr>(image, header.e_shoff + section.sh_link * header.e_shentsize);
        if (section.sh_type == SHT_DYNSYM) {
            for (std::size_t s = 0; s < section.sh_size / sizeof(Elf64_Sym); ++s) {
                const auto symbol = at<Elf64_Sym>(image, section.sh_offset + s * sizeof(Elf64_Sym));
                const int binding = ELF64_ST_BIND(symbol.st_info);
                if (symbol.st_shndx != SHN_UNDEF && (binding == STB_GLOBAL || binding == STB_WEAK) &&
                    ELF64_ST_VISIBILITY(symbol.st_other) == STV_DEFAULT)
                    result.definedSymbols.insert(stringAt(image, strings.sh_offset + symbol.st_name));
            }
        } else if (section.sh_type == SHT_DYNAMIC) {
            for (std::size_t d = 0; d < section.sh_size / sizeof(Elf64_Dyn); ++d) {
                const auto entry = at<Elf64_Dyn>(image, section.sh_offset + d * sizeof(Elf64_Dyn));
                if (entry.d_tag == DT_NEEDED)
                    result.needed.insert(stringAt(image, strings.sh_offset + entry.d_un.d_val));
            }
        }
    }
    return result;
}

TEST(Sorvel1ExportsTest, ExportsOnlyTheInstallerCallsAndLinksNoClientLibrary)
{
    const DynamicSection dynamic = readDynamicSection(SORVEL1_LIBRARY);
    const std::set<std::string> expected{"InitDLLPath",           "SetMessageCallback",         "VerifyClientInstalled",
                                         "VerifyServerInstalled", "VerifyServerInstalledLogin", "RestoreDatabase"};
    EXPECT_EQ(dynamic.definedSymbols, expected);

    ASSERT_FALSE(dynamic.needed.empty());
    for (const std::string &library : dynamic.needed) {
        EXPECT_EQ(library.find("fbclient"), std::string::npos) << library;
        EXPECT_EQ(library.find("Qt"), std::string::npos) << library;
    }
}

} // namespace
