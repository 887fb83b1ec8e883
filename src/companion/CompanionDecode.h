#pragma once

struct TCompanionIo;
struct TCompanionOptions;

// --decode: the plain text that standard input or the file TEXT holds, then each character's
// colour; --to-style writes the style. Returns the exit status.
int Decode(const TCompanionOptions& o, TCompanionIo& io);
