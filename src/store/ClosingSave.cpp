#include "store/ClosingSave.h"

#include "store/IniErrors.h"
#include "store/KeptKeys.h"

void SaveClosingState(TIniGT& store, const TOptionSet& options, const TStyleRecord& state,
                      TStyleLibrary& library) {
    // Another copy of the program may save the file between this copy's look at it and the
    // rename; the save is then refused, and made once more over what the other copy wrote.
    for (int attempt = 0;; ++attempt) {
        try {
            auto update = store.BeginUpdate();
            SaveOptionSet(store, options);
            // The working state goes on from start to start: what a newer copy of the program
            // or a hand edit put there stays.
            const TKeptKeys kept = KeysNotUnderstood(store, kPrevSection, StyleKeyUnderstood);
            SaveStyleRecord(store, kPrevSection, state);
            WriteBackKeptKeys(store, kPrevSection, kept);
            library.WriteList();
            update.Commit();
            return;
        } catch (const EIniFileError& error) {
            if (error.Problem() != TFileProblem::ChangedMeanwhile || attempt > 0) {
                throw;
            }
        }
    }
}
