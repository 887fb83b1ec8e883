#pragma once

#include "store/IniGT.h"
#include "store/OptionSet.h"
#include "store/StyleLibrary.h"
#include "store/StyleRecord.h"

// What closing the window writes: the option group with the window position, the working state
// as "@@Prev@@" and the style list (when it was read). All of it reaches the disk as one save, so
// the close costs one flush and a crash keeps either the old settings or the new ones whole.
// When another program saves the file while this save is made, it is made again once over the
// other program's file, keeping the styles that program listed. Keys of the option group and of
// "@@Prev@@" that this program does not know or cannot read are written back as they were.
void SaveClosingState(TIniGT& store, const TOptionSet& options, const TStyleRecord& state,
                      TStyleLibrary& library);
