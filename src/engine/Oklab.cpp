#include "engine/Oklab.h"

TOklab OklabOf(TColor color) {
    return LinearToOklab(LinearOf(color));
}
