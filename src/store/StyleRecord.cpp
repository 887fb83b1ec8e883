#include "store/StyleRecord.h"

#include "engine/CodePage.h"
#include "engine/ColorStops.h"
#include "engine/Utf8.h"
#include "store/IniErrors.h"
#include "store/IniText.h"

namespace {

// Fences as the font read needs them, restored however the read ends.
class TFenceScope {
public:
    TFenceScope(TIniGT& store, TIniGTFence fence) : store_(store), saved_(store.Fence()) {
        store.SetFence(fence);
    }
    ~TFenceScope() { store_.SetFence(saved_); }
    TFenceScope(const TFenceScope&) = delete;
    TFenceScope& operator=(const TFenceScope&) = delete;

private:
    TIniGT& store_;
    TIniGTFence saved_;
};

TColor ReadColorOrDefault(TIniGT& store, std::string_view section, std::string_view key, TColor fallback,
                          std::vector<TBadValue>& bad) {
    try {
        return store.ReadColor(section, key, fallback);
    } catch (const EIniConvertError& error) {
        bad.push_back({error.Section(), error.Key(), error.Value()});
        return fallback;
    }
}

void ReadFontKeepingGoodParts(TIniGT& store, std::string_view section, TFontRecord& font,
                              std::vector<TBadValue>& bad) {
    try {
        store.ReadFont(section, "DrawFont", font);
        return;
    } catch (const EIniConvertError&) {
    }
    // Only the colour can be unreadable: take the rest as the font read would.
    TFontRecord read = font;
    {
        const TFenceScope fence(store, fnVer11Mode);
        read.Name = store.ReadFencedString(section, "DrawFont.Name", font.Name);
    }
    read.Size = store.ReadInteger(section, "DrawFont.Size", font.Size);
    read.Style = static_cast<std::uint8_t>(store.ReadInteger(section, "DrawFont.Style", font.Style) & 0xFF);
    read.Color = ReadColorOrDefault(store, section, "DrawFont.Color", font.Color, bad);
    font = std::move(read);
}

// The keys beside the design; a value this program cannot read is reported and left out.
void ReadColourChoices(TIniGT& store, std::string_view section, TStyleRecord& style,
                       std::vector<TBadValue>& bad) {
    if (const std::string space = store.ReadString(section, "ColorSpace", ""); !space.empty()) {
        if (const std::optional<TColorSpace> known = ColorSpaceFromName(space)) {
            style.Space = *known;
        } else {
            bad.push_back({std::string(section), "ColorSpace", space});
        }
    }
    if (const std::string stops = store.ReadString(section, "Stops", ""); !stops.empty()) {
        if (std::optional<std::vector<TColorStop>> read = ColorStopsFromText(stops)) {
            style.Stops = std::move(*read);
        } else {
            bad.push_back({std::string(section), "Stops", stops});
        }
    }
    style.Rainbow = store.ReadBool(section, "Rainbow", false);
    style.Phase = store.ReadInteger(section, "Phase", 0) % 360;
}

} // namespace

bool StyleKeyUnderstood(std::string_view key, std::string_view value) {
    for (const std::string_view always :
         {"DrawFont.Name", "DrawFont.Size", "DrawFont.Style", "DrawFont.Color", "SizeIndex", "Head",
          "StartColor", "FinishColor", "MiddleColor", "BGColor", "Mirror", "Trico"}) {
        if (SameIniName(key, always)) {
            return true;
        }
    }
    if (SameIniName(key, "ColorSpace")) {
        return ColorSpaceFromName(value).has_value();
    }
    if (SameIniName(key, "Stops")) {
        return ColorStopsFromText(value).has_value();
    }
    // Any value of the switch is read, as on or off.
    return SameIniName(key, "Rainbow") || (SameIniName(key, "Phase") && ParseIniInteger(value).has_value());
}

bool FaceNameHoldsControl(std::string_view cp932) {
    return HoldsControlCharacter(Cp932ToUtf8(cp932));
}

std::vector<TBadValue> LoadStyleRecord(TIniGT& store, std::string_view section, TStyleRecord& style) {
    const TStyleRecord defaults;
    std::vector<TBadValue> bad;
    TStyleRecord read;
    read.DrawFont = style.DrawFont;
    auto update = store.BeginUpdate();
    read.StartColor = ReadColorOrDefault(store, section, "StartColor", defaults.StartColor, bad);
    read.FinishColor = ReadColorOrDefault(store, section, "FinishColor", defaults.FinishColor, bad);
    read.MiddleColor = ReadColorOrDefault(store, section, "MiddleColor", defaults.MiddleColor, bad);
    ReadFontKeepingGoodParts(store, section, read.DrawFont, bad);
    if (FaceNameHoldsControl(read.DrawFont.Name)) {
        bad.push_back(
            {std::string(section), "DrawFont.Name", read.DrawFont.Name, TBadValue::TKind::FaceName});
        read.DrawFont.Name = style.DrawFont.Name;
    }
    read.SizeIndex = store.ReadInteger(section, "SizeIndex", defaults.SizeIndex);
    read.Head = store.ReadBool(section, "Head", defaults.Head);
    read.Mirror = store.ReadBool(section, "Mirror", defaults.Mirror);
    read.Trico = store.ReadBool(section, "Trico", defaults.Trico);
    if (read.Trico) {
        read.Mirror = false;
    }
    read.BGColor = ReadColorOrDefault(store, section, "BGColor", defaults.BGColor, bad);
    ReadColourChoices(store, section, read, bad);
    update.Commit();
    style = std::move(read);
    return bad;
}

void SaveStyleRecord(TIniGT& store, std::string_view section, const TStyleRecord& style) {
    auto update = store.BeginUpdate();
    store.EraseSection(section);
    store.WriteFont(section, "DrawFont", style.DrawFont);
    store.WriteInteger(section, "SizeIndex", style.SizeIndex);
    store.WriteBool(section, "Head", style.Head);
    store.WriteColor(section, "StartColor", style.StartColor);
    store.WriteColor(section, "FinishColor", style.FinishColor);
    store.WriteColor(section, "MiddleColor", style.MiddleColor);
    store.WriteColor(section, "BGColor", style.BGColor);
    store.WriteBool(section, "Mirror", style.Mirror);
    store.WriteBool(section, "Trico", style.Trico);
    if (style.Space != csSrgb) {
        store.WriteString(section, "ColorSpace", ColorSpaceName(style.Space));
    }
    if (style.Stops.size() >= kMinColorStops) {
        store.WriteString(section, "Stops", ColorStopsText(style.Stops));
    }
    if (style.Rainbow) {
        store.WriteBool(section, "Rainbow", true);
        store.WriteInteger(section, "Phase", style.Phase);
    }
    update.Commit();
}

std::string BadValuesMessage(const std::vector<TBadValue>& bad) {
    std::string message;
    for (const TBadValue& value : bad) {
        if (!message.empty()) {
            message += "\n";
        }
        message += ConcatText({"[", value.Section, "] ", value.Key, "=", value.Value,
                               value.Kind == TBadValue::TKind::FaceName
                                   ? ": a face name with a control character; it was not used"
                               : value.Key == "ColorSpace" || value.Key == "Stops"
                                   ? ": not a value this program knows; it was left out"
                                   : ": not a hexadecimal colour; the default was used"});
    }
    return message;
}
