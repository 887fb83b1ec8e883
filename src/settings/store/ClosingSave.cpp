#include "settings/store/ClosingSave.h"

void SaveClosingState(TIniGT& store, const TOptionSet& options, const TStyleRecord& state,
                      TStyleLibrary& library) {
    auto update = store.BeginUpdate();
    SaveOptionSet(store, options);
    SaveStyleRecord(store, kPrevSection, state);
    library.WriteList();
    update.Commit();
}
