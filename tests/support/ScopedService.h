#pragma once

#include "engine/Color.h"

// Installs a program-wide service (one that controls made by others look up, such as the system
// colours or the per-user store) while it lives, and puts back the one that was installed before,
// so no test leaves its stand-in behind for the next.
//   Current: the installed service (the program's own when none was set)
//   Install: the setter; the previous service is handed back to it at the end
template <typename TService, TService& (*Current)(), void (*Install)(TService*)> class TScopedService {
public:
    explicit TScopedService(TService* service) : previous_(&Current()) { Install(service); }
    ~TScopedService() { Install(previous_); }
    TScopedService(const TScopedService&) = delete;
    TScopedService& operator=(const TScopedService&) = delete;

private:
    TService* previous_;
};

// Installs a system-colour table (SetSystemColorResolver) while it lives.
using TSystemColorsScope =
    TScopedService<const TSystemColorResolver, CurrentSystemColors, SetSystemColorResolver>;
