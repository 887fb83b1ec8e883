#include "engine/Color.h"

namespace {

// The classic desktop colours, used until the program installs the palette's own.
class TClassicSystemColors final : public TSystemColorResolver {
public:
    TColor SystemColor(int index) const override {
        switch (index) {
        case 0x05:
            return 0x00FFFFFF; // window
        case 0x06:             // window frame
        case 0x08:             // window text
            return 0x00000000;
        case 0x0F:
            return 0x00C0C0C0; // button face
        case 0x10:
            return 0x00808080; // button shadow
        case 0x12:
            return 0x00000000; // button text
        case 0x14:
            return 0x00FFFFFF; // button highlight
        case 0x15:
            return 0x00404040; // 3-D dark shadow
        case 0x16:
            return 0x00E0E0E0; // 3-D light
        default:
            return 0x00000000;
        }
    }
};

const TClassicSystemColors classicColors;
const TSystemColorResolver* currentResolver = &classicColors;

} // namespace

void SetSystemColorResolver(const TSystemColorResolver* resolver) {
    currentResolver = resolver ? resolver : &classicColors;
}

const TSystemColorResolver& CurrentSystemColors() {
    return *currentResolver;
}

TColor ResolveColor(TColor color) {
    if (IsSystemColor(color)) {
        return currentResolver->SystemColor(static_cast<int>(color & 0xFF)) & 0x00FFFFFFu;
    }
    return color;
}
