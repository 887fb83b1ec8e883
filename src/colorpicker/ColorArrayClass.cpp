#include "colorpicker/ColorArrayClass.h"

#include <cctype>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads the text form token by token; every problem is an EPropertyReadError naming what was
// expected.
class TPropertyReader {
public:
    explicit TPropertyReader(std::string_view text) : FText(text) {}

    bool AtEnd() {
        SkipBlanks();
        return FPos >= FText.size();
    }

    std::string_view Name() {
        SkipBlanks();
        const std::size_t start = FPos;
        while (FPos < FText.size() && (std::isalnum(static_cast<unsigned char>(FText[FPos])) ||
                                       FText[FPos] == '_' || FText[FPos] == '.')) {
            ++FPos;
        }
        if (FPos == start) {
            Fail("a property name");
        }
        return FText.substr(start, FPos - start);
    }

    void Expect(char c) {
        if (!TryTake(c)) {
            Fail(std::string("\"") + c + "\"");
        }
    }

    bool TryTake(char c) {
        SkipBlanks();
        if (FPos < FText.size() && FText[FPos] == c) {
            ++FPos;
            return true;
        }
        return false;
    }

    std::int32_t Integer() {
        SkipBlanks();
        const std::size_t start = FPos;
        bool negative = false;
        if (FPos < FText.size() && (FText[FPos] == '-' || FText[FPos] == '+')) {
            negative = FText[FPos] == '-';
            ++FPos;
        }
        std::int64_t value = 0;
        std::size_t digits = 0;
        while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) {
            value = value * 10 + (FText[FPos] - '0');
            ++FPos;
            ++digits;
            if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
                FPos = start;
                Fail("a 32-bit integer");
            }
        }
        if (digits == 0) {
            FPos = start;
            Fail("an integer");
        }
        if (negative) {
            value = -value;
        }
        if (value > std::numeric_limits<std::int32_t>::max()) {
            FPos = start;
            Fail("a 32-bit integer");
        }
        return static_cast<std::int32_t>(value);
    }

    [[noreturn]] void Fail(const std::string& expected) const {
        throw EPropertyReadError("Invalid property value: " + expected + " expected at offset " +
                                 std::to_string(FPos));
    }

private:
    void SkipBlanks() {
        while (FPos < FText.size() && IsBlank(FText[FPos])) {
            ++FPos;
        }
    }

    std::string_view FText;
    std::size_t FPos = 0;
};

} // namespace

TColorArrayClass::TColorArrayClass(std::int32_t xSize, std::int32_t ySize) {
    Resize(xSize, ySize);
}

void TColorArrayClass::Resize(std::int32_t xSize, std::int32_t ySize) {
    const std::int64_t count = std::int64_t{xSize} * ySize;
    if (xSize < 0 || ySize < 0 || count > std::numeric_limits<std::int32_t>::max()) {
        throw EColorArrayIndexError();
    }
    std::vector<TColor> cells(static_cast<std::size_t>(count), 0);
    FCells.swap(cells);
    FXSize = xSize;
    FYSize = ySize;
    FCount = static_cast<std::int32_t>(count);
}

void TColorArrayClass::SetXSize(std::int32_t value) {
    if (value != FXSize) {
        Resize(value, FYSize);
    }
}

void TColorArrayClass::SetYSize(std::int32_t value) {
    if (value != FYSize) {
        Resize(FXSize, value);
    }
}

bool TColorArrayClass::IsValidIndex(std::int32_t x, std::int32_t y) const {
    return x >= 1 && x <= FXSize && y >= 1 && y <= FYSize;
}

std::size_t TColorArrayClass::StorageIndex(std::int32_t x, std::int32_t y) const {
    if (!IsValidIndex(x, y)) {
        throw EColorArrayIndexError();
    }
    return static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(FXSize) +
           static_cast<std::size_t>(x - 1);
}

TColor TColorArrayClass::Colors(std::int32_t x, std::int32_t y) const {
    return FCells[StorageIndex(x, y)];
}

void TColorArrayClass::SetColors(std::int32_t x, std::int32_t y, TColor color) {
    FCells[StorageIndex(x, y)] = color;
}

TColor TColorArrayClass::ColorByIndex(std::int32_t n) const {
    if (n < 1 || n > FCount) {
        throw EColorArrayIndexError();
    }
    return FCells[static_cast<std::size_t>(n - 1)];
}

void TColorArrayClass::Assign(const TPersistent* source) {
    const auto* other = dynamic_cast<const TColorArrayClass*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) {
        return;
    }
    Resize(other->FXSize, other->FYSize);
    for (std::int32_t x = 1; x <= FXSize; ++x) {
        for (std::int32_t y = 1; y <= FYSize; ++y) {
            SetColors(x, y, other->Colors(x, y));
        }
    }
}

bool TColorArrayClass::IsEqual(const TColorArrayClass* other) const {
    if (other == this) {
        return true;
    }
    if (!other || other->FXSize != FXSize || other->FYSize != FYSize) {
        return false;
    }
    for (std::int32_t x = 1; x <= FXSize; ++x) {
        for (std::int32_t y = 1; y <= FYSize; ++y) {
            if (Colors(x, y) != other->Colors(x, y)) {
                return false;
            }
        }
    }
    return true;
}

std::string TColorArrayClass::WriteProperties() const {
    std::string text =
        "XSize = " + std::to_string(FXSize) + "\nYSize = " + std::to_string(FYSize) + "\nColors = (";
    const char* separator = "";
    for (std::int32_t x = 1; x <= FXSize; ++x) {
        for (std::int32_t y = 1; y <= FYSize; ++y) {
            text += separator;
            text += std::to_string(static_cast<std::int32_t>(Colors(x, y)));
            separator = " ";
        }
    }
    text += ")\n";
    return text;
}

void TColorArrayClass::ReadProperties(std::string_view text) {
    TPropertyReader reader(text);
    while (!reader.AtEnd()) {
        const std::string_view name = reader.Name();
        reader.Expect('=');
        if (name == "XSize") {
            SetXSize(reader.Integer());
        } else if (name == "YSize") {
            SetYSize(reader.Integer());
        } else if (name == "Colors") {
            reader.Expect('(');
            std::int32_t x = 1;
            std::int32_t y = 1;
            while (!reader.TryTake(')')) {
                SetColors(x, y, static_cast<TColor>(reader.Integer()));
                if (y < FYSize) {
                    ++y;
                } else {
                    y = 1;
                    ++x;
                }
            }
        } else {
            throw EPropertyReadError("Property " + std::string(name) + " does not exist");
        }
    }
}
