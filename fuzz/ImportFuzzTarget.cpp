#include "ImportFuzzTarget.h"

#include "FuzzCheck.h"

#include "store/IniErrors.h"
#include "store/IniGT.h"
#include "store/StyleLibrary.h"
#include "support/TempFolder.h"

#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string kSettings = "[STYLES]\r\nSTYLE.Count=1\r\nSTYLE.0=a\r\n[a]\r\nHead=1\r\n";

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const TTempFolder& Scratch() {
    static const TTempFolder folder;
    return folder;
}

} // namespace

void RunImportFuzzInput(const std::uint8_t* data, std::size_t size) {
    const TTempFolder& scratch = Scratch();
    const std::string settings = scratch.File("Tintrel.ini");
    const std::string styleFile = scratch.File("in.tsy");
    WriteFile(settings, kSettings);
    WriteFile(styleFile, std::string(reinterpret_cast<const char*>(data), size));

    TIniEnvironment environment;
    TIniGT store(environment);
    store.SetDefaultDir(ddNone);
    store.SetFileName(settings);
    TStyleLibrary library(store);
    library.ReadList();
    Check(!library.ListRepaired() && library.Names() == std::vector<std::string>{"a"}, "the list reads");

    std::optional<std::size_t> index;
    try {
        index = library.Import(styleFile);
    } catch (const EStyleFileError&) {
    } catch (const EStyleNameError&) {
    } catch (const EIniFileError& error) {
        Check(error.Problem() == TFileProblem::Encoding, "a style file fails to read only for its encoding");
    }
    if (!index) {
        Check(ReadFile(settings) == kSettings, "a file not imported changes nothing");
        Check(library.Names() == std::vector<std::string>{"a"}, "a file not imported lists nothing");
        return;
    }
    const std::string name = library.Names().at(*index);
    Check(!StyleNameProblem(name), "an imported name can name a style");
    Check(store.SectionExists(name), "an imported style has its section");
    TStyleRecord style;
    library.Load(*index, style);
    Check(library.WriteList(), "the list is written");
    TStyleLibrary next(store);
    next.ReadList();
    Check(next.IndexOf(name).has_value(), "an imported style stays listed");
    Check(!next.ListRepaired(), "the list written reads without repair");
}
