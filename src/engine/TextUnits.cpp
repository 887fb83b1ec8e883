#include "engine/TextUnits.h"

int UnitCount(std::string_view text, const TClusterTable& clusters) {
    if (clusters.Empty()) {
        return CharCount(text);
    }
    int count = 0;
    for (TUnitWalk walk(text, clusters); !walk.AtEnd(); walk.Step()) {
        ++count;
    }
    return count;
}
