// The companion's output on its way out: CP932 converted to UTF-8 however the writes cut it.

#include "companion/CompanionIo.h"

#include "engine/OutputSink.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A two-byte character cut between two writes is one character, not two replacement characters.
TEST(CompanionOutput, JoinsACharacterWhoseBytesArriveInTwoWrites) {
    std::string out;
    TStringSink target(out);
    TCp932ToUtf8Sink sink(target);
    sink.Write("a\x83");
    sink.Write("\x41"
               "b");
    sink.Finish();
    EXPECT_EQ(out, "a\xE3\x82\xA2"
                   "b");
}

} // namespace
