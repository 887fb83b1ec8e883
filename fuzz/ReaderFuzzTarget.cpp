#include "ReaderFuzzTarget.h"

#include "FuzzCheck.h"

#include "engine/TargetReader.h"

#include <optional>
#include <string_view>

void RunReaderFuzzInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::optional<TReadText> read;
    TReadRefusal why{};
    try {
        read = ReadGradientText(input, why);
    } catch (...) {
        Check(false, "the reader throws nothing");
    }
    if (!read) {
        return;
    }
    Check(!read->Units.empty(), "a text read holds a unit");
    std::size_t next = 0;
    for (const TReadUnit& unit : read->Units) {
        Check(unit.Offset == next, "each unit follows the one before");
        Check(unit.Length > 0, "no unit is empty");
        Check(std::size_t{unit.Offset} + unit.Length <= read->Utf8.size(), "each unit lies inside the text");
        Check((unit.Color & ~TColor{0xFFFFFF}) == 0, "each colour is a colour");
        next = std::size_t{unit.Offset} + unit.Length;
    }
    Check(next == read->Utf8.size(), "the units make up the text");
}
