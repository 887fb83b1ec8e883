#pragma once

#include "colorpicker/Persistent.h"
#include "engine/Color.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Raised for every cell index outside a colour table, and for table sizes that cannot exist.
class EColorArrayIndexError : public std::runtime_error {
public:
    EColorArrayIndexError() : std::runtime_error("Array index out of bounds") {}
};

// Raised when the text form of a colour table cannot be read (unknown property, bad number,
// missing "=" or parenthesis).
class EPropertyReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A two-dimensional table of colours that knows its own size. Cells are counted from 1: the first
// index X runs 1..XSize (columns), the second Y runs 1..YSize (rows). Storage is row after row,
// so the linear cell N of ColorByIndex (1..Count) walks row 1 from left to right, then row 2.
//
// Text form (the program's own notation for streamed properties). Three properties, always all
// three, in this order, one per line, each line ended by "\n":
//
//     XSize = 4
//     YSize = 5
//     Colors = (16777215 255 65280 16711680 12638400 0 128 ...)
//
// Sizes are decimal integers. Colors lists every cell as a signed 32-bit decimal integer, X outer
// (1..XSize) and Y inner (1..YSize): the first YSize values are column 1 from top to bottom. On
// reading, the properties are applied in the order they come (a size that differs from the
// current one reallocates the table and clears it), blanks and line breaks may stand anywhere
// between the tokens, and a Colors list may hold any number of items: a longer list than the
// table raises EColorArrayIndexError at the first surplus item (the cells before it keep their
// new values), a shorter one leaves the remaining cells as they were.
class TColorArrayClass : public TPersistent {
public:
    // Cells start at 0. A negative size, or sizes whose product does not fit 32 bits, raise
    // EColorArrayIndexError.
    TColorArrayClass(std::int32_t xSize, std::int32_t ySize);

    std::int32_t XSize() const { return xSize_; }
    std::int32_t YSize() const { return ySize_; }
    std::int32_t Count() const { return count_; }

    // Setting another size discards every cell (all become 0), even when the table grows; the
    // same size keeps them. Invalid sizes raise EColorArrayIndexError and change nothing.
    void SetXSize(std::int32_t value);
    void SetYSize(std::int32_t value);

    // Cell (x, y); EColorArrayIndexError outside 1..XSize, 1..YSize.
    TColor Colors(std::int32_t x, std::int32_t y) const;
    void SetColors(std::int32_t x, std::int32_t y, TColor color);
    // Linear cell n, 1..Count, row after row; EColorArrayIndexError outside.
    TColor ColorByIndex(std::int32_t n) const;
    bool IsValidIndex(std::int32_t x, std::int32_t y) const;

    // Takes over the size and cells of another colour table; any other source (or none) is
    // refused with EAssignError and this table stays as it was.
    void Assign(const TPersistent* source) override;
    // Same size and the same 32-bit value in every cell; nullptr is never equal.
    virtual bool IsEqual(const TColorArrayClass* other) const;

    std::string ClassName() const override { return "TColorArrayClass"; }

    std::string WriteProperties() const;
    void ReadProperties(std::string_view text);

private:
    void Resize(std::int32_t xSize, std::int32_t ySize);
    std::size_t StorageIndex(std::int32_t x, std::int32_t y) const;

    std::int32_t xSize_ = 0;
    std::int32_t ySize_ = 0;
    std::int32_t count_ = 0;
    std::vector<TColor> cells_;
};
