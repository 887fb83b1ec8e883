#pragma once

#include "controls/FontSource.h"

#include <QComboBox>
#include <QImage>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <memory>

class QPainter;

// Which device's fonts the list shows. There are no printer fonts here: fdPrinter lists nothing
// and fdBoth the screen fonts.
enum TFontDevice : std::uint8_t { fdScreen = 0, fdPrinter = 1, fdBoth = 2 };

enum TFontListOption {
    foAnsiOnly = 0,
    foTrueTypeOnly = 1,
    foFixedPitchOnly = 2,
    foNoOEMFonts = 3,
    foOEMFontsOnly = 4,
    foScalableOnly = 5
};

// A set of TFontListOption, kept as one byte whose bit n stands for the option with ordinal n.
class TFontListOptions {
public:
    constexpr TFontListOptions() = default;
    constexpr TFontListOptions(std::initializer_list<TFontListOption> options) {
        for (const TFontListOption option : options) {
            bits_ = static_cast<std::uint8_t>(bits_ | Bit(option));
        }
    }
    static constexpr TFontListOptions FromBits(std::uint8_t bits) {
        TFontListOptions options;
        options.bits_ = bits;
        return options;
    }

    constexpr std::uint8_t Bits() const { return bits_; }
    constexpr bool Contains(TFontListOption option) const { return (bits_ & Bit(option)) != 0; }
    constexpr TFontListOptions With(TFontListOption option) const {
        return FromBits(static_cast<std::uint8_t>(bits_ | Bit(option)));
    }
    constexpr TFontListOptions Without(TFontListOption option) const {
        return FromBits(static_cast<std::uint8_t>(bits_ & ~Bit(option)));
    }

    friend constexpr bool operator==(TFontListOptions, TFontListOptions) = default;

private:
    static constexpr std::uint8_t Bit(TFontListOption option) {
        return static_cast<std::uint8_t>(1u << static_cast<unsigned>(option));
    }
    std::uint8_t bits_ = 0;
};

// Whether a face passes every filter in `options`. Contradicting options (OEM only with no OEM,
// ANSI only with OEM only) accept nothing.
bool AcceptFont(const TFontFace& face, TFontListOptions options);

// The drop-down list of installed font names, each drawn after a small icon telling a TrueType
// font from a device font, sorted by name without regard to letter case. The owner reads and
// writes FontName and listens to `changed`; the list refills itself, keeping the selection,
// when Device or Options change and when the installed fonts change.
class TFontComboBox : public QComboBox {
    Q_OBJECT

public:
    // Lists the installed fonts. Throws EResNotFound when a type icon is missing.
    explicit TFontComboBox(QWidget* parent = nullptr);
    // Lists the faces of `source`.
    explicit TFontComboBox(std::unique_ptr<TFontSource> source, QWidget* parent = nullptr);
    ~TFontComboBox() override;

    TFontDevice Device() const { return device_; }
    void SetDevice(TFontDevice value);
    TFontListOptions Options() const { return options_; }
    void SetOptions(TFontListOptions value);
    // A view of foTrueTypeOnly in Options.
    bool TrueTypeOnly() const { return options_.Contains(foTrueTypeOnly); }
    void SetTrueTypeOnly(bool value);

    // The selected name, empty when nothing is selected.
    QString FontName() const;
    // Does nothing for the current name (letter case counts). Otherwise selects the first item
    // equal to `name` without regard to letter case, or nothing when none is, and raises
    // `changed`. A name not in the list thus reads back empty.
    void SetFontName(const QString& name);

    // True only while RefreshFontList refills the list; `changed` is held back meanwhile.
    bool Updating() const { return updating_; }
    // Refills the list and selects the same name again; raises `changed` once at the end when
    // the selected name is no longer the same.
    void RefreshFontList();
    // The larger of the font's height + 1, the TrueType icon's height - 1, and 9.
    void UpdateItemHeight();
    int ItemHeight() const { return itemHeight_; }

    // The font-type flags attached to an item (kRasterFontType, kDeviceFontType,
    // kTrueTypeFontType); 0 for an index outside the list.
    int FontTypeOf(int index) const;
    // Draws one item into `rect`: the background, the type icon at left + 2 vertically centred
    // (its transparent colour showing the background), the name from left + 26.
    void DrawItem(QPainter& painter, int index, const QRect& rect, bool selected) const;

signals:
    // The selected name changed: by FontName, by a refill, or by the user (after `clicked`).
    void changed(TFontComboBox* sender);
    // The user chose an item.
    void clicked(TFontComboBox* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FillFontList();
    void Change();

    std::unique_ptr<TFontSource> source_;
    TFontDevice device_ = fdScreen;
    TFontListOptions options_;
    bool updating_ = false;
    int itemHeight_ = 9;
    QImage trueTypeIcon_; // drawn with their transparent pixels left out
    QImage deviceIcon_;
};
