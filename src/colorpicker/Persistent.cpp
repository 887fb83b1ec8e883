#include "colorpicker/Persistent.h"

void TPersistent::Assign(const TPersistent* source) {
    const std::string sourceName = source ? source->ClassName() : std::string("nil");
    throw EAssignError("Cannot assign a " + sourceName + " to a " + ClassName());
}
