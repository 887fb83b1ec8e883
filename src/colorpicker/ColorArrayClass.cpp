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
    explicit TPropertyReader(std::string_view text) : text_(text) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ >= text_.size();
    }

    std::string_view Name() {
        SkipBlanks();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) ||
                                       text_[pos_] == '_' || text_[pos_] == '.')) {
            ++pos_;
        }
        if (pos_ == start) {
            Fail("a property name");
        }
        return text_.substr(start, pos_ - start);
    }

    void Expect(char c) {
        if (!TryTake(c)) {
            Fail(std::string("\"") + c + "\"");
        }
    }

    bool TryTake(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::int32_t Integer() {
        SkipBlanks();
        const std::size_t start = pos_;
        bool negative = false;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) {
            negative = text_[pos_] == '-';
            ++pos_;
        }
        std::int64_t value = 0;
        std::size_t digits = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
            ++digits;
            if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) {
                pos_ = start;
                Fail("a 32-bit integer");
            }
        }
        if (digits == 0) {
            pos_ = start;
            Fail("an integer");
        }
        if (negative) {
            value = -value;
        }
        if (value > std::numeric_limits<std::int32_t>::max()) {
            pos_ = start;
            Fail("a 32-bit integer");
        }
        return static_cast<std::int32_t>(value);
    }

    [[noreturn]] void Fail(const std::string& expected) const {
        throw EPropertyReadError("Invalid property value: " + expected + " expected at offset " +
                                 std::to_string(pos_));
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
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
    cells_.swap(cells);
    xSize_ = xSize;
    ySize_ = ySize;
    count_ = static_cast<std::int32_t>(count);
}

void TColorArrayClass::SetXSize(std::int32_t value) {
    if (value != xSize_) {
        Resize(value, ySize_);
    }
}

void TColorArrayClass::SetYSize(std::int32_t value) {
    if (value != ySize_) {
        Resize(xSize_, value);
    }
}

bool TColorArrayClass::IsValidIndex(std::int32_t x, std::int32_t y) const {
    return x >= 1 && x <= xSize_ && y >= 1 && y <= ySize_;
}

std::size_t TColorArrayClass::StorageIndex(std::int32_t x, std::int32_t y) const {
    if (!IsValidIndex(x, y)) {
        throw EColorArrayIndexError();
    }
    return static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(xSize_) +
           static_cast<std::size_t>(x - 1);
}

TColor TColorArrayClass::Colors(std::int32_t x, std::int32_t y) const {
    return cells_[StorageIndex(x, y)];
}

void TColorArrayClass::SetColors(std::int32_t x, std::int32_t y, TColor color) {
    cells_[StorageIndex(x, y)] = color;
}

TColor TColorArrayClass::ColorByIndex(std::int32_t n) const {
    if (n < 1 || n > count_) {
        throw EColorArrayIndexError();
    }
    return cells_[static_cast<std::size_t>(n - 1)];
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
    Resize(other->xSize_, other->ySize_);
    for (std::int32_t x = 1; x <= xSize_; ++x) {
        for (std::int32_t y = 1; y <= ySize_; ++y) {
            SetColors(x, y, other->Colors(x, y));
        }
    }
}

bool TColorArrayClass::IsEqual(const TColorArrayClass* other) const {
    if (other == this) {
        return true;
    }
    if (!other || other->xSize_ != xSize_ || other->ySize_ != ySize_) {
        return false;
    }
    for (std::int32_t x = 1; x <= xSize_; ++x) {
        for (std::int32_t y = 1; y <= ySize_; ++y) {
            if (Colors(x, y) != other->Colors(x, y)) {
                return false;
            }
        }
    }
    return true;
}

std::string TColorArrayClass::WriteProperties() const {
    std::string text =
        "XSize = " + std::to_string(xSize_) + "\nYSize = " + std::to_string(ySize_) + "\nColors = (";
    const char* separator = "";
    for (std::int32_t x = 1; x <= xSize_; ++x) {
        for (std::int32_t y = 1; y <= ySize_; ++y) {
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
                if (y < ySize_) {
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
