#include "engine/Animation.h"
#include "engine/HtmlBuilder.h"
#include "engine/Oklab.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetReader.h"
#include "engine/UnicodeText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr TAnimationType kTypes[] = {
    TAnimationType::Shift, TAnimationType::Reverse,    TAnimationType::Bounce, TAnimationType::Cycle,
    TAnimationType::Pulse, TAnimationType::Typewriter, TAnimationType::Rainbow};

TGradient TwoColour(TColor start, TColor finish, TGradientMode mode = gmTwoColor) {
    return {SplitColor(start), SplitColor(0xFFFFFF), SplitColor(finish), mode};
}

// Gradients whose loops differ: there and back, ends that meet, stops in another space, the rainbow.
std::vector<TGradient> Gradients() {
    TGradient stops = TwoColour(0x0000FF, 0x00FFFF);
    stops.Space = csOklab;
    stops.Stops = {{0x0000FF, 0}, {0x00FF00, 0.3}, {0xFF0000, 1}};
    TGradient rainbow;
    rainbow.Rainbow = true;
    rainbow.Phase = 40;
    return {TwoColour(0x0000FF, 0x00FFFF), TwoColour(0x0000FF, 0xFF0000, gmMirror), stops, rainbow};
}

std::vector<TColor> ColoursOf(const TAnimationFrames& frames, int frame) {
    std::vector<TColor> colours;
    frames.Colours(frame, colours);
    return colours;
}

THtmlText Frame(const TAnimationFrames& frames, int frame, const TUnitText& text, TOutputKind kind) {
    THtmlOptions options;
    options.Kind = kind;
    const TTagVocabulary tg;
    return BuildAnimationFrame(frames, frame, text.Text, text.Clusters, options, tg);
}

const TUnitText kText = UnitTextFromUtf8("Gr\xC3\xBCn \xF0\x9F\x8E\x89 go!");

TEST(AnimationFrames, TheFirstShiftFrameIsTheStillGradientInEveryKind) {
    const TTagVocabulary tg;
    for (const TGradient& gradient : Gradients()) {
        const TAnimationFrames frames({.Type = TAnimationType::Shift}, gradient,
                                      UnitCount(kText.Text, kText.Clusters));
        for (const TOutputKindRow& row : OutputKinds()) {
            THtmlOptions options;
            options.Kind = row.Kind;
            EXPECT_EQ(Frame(frames, 0, kText, row.Kind),
                      BuildHtmlText(kText.Text, kText.Clusters, gradient, options, tg))
                << row.Name;
        }
    }
}

TEST(AnimationFrames, EveryTypeComesRoundToItsFirstFrame) {
    for (const int units : {2, 3, 9, 64}) {
        for (const TGradient& gradient : Gradients()) {
            for (const TAnimationType type : kTypes) {
                for (const int span : {0, units + 7}) {
                    const TAnimationFrames frames({.Type = type, .Span = span}, gradient, units);
                    const std::string name =
                        std::string(AnimationTypeName(type)) + " of " + std::to_string(units);
                    ASSERT_GT(frames.Loop(), 0) << name;
                    EXPECT_EQ(ColoursOf(frames, frames.Loop()), ColoursOf(frames, 0)) << name;
                    EXPECT_EQ(ColoursOf(frames, 3 * frames.Loop() + 1), ColoursOf(frames, 1)) << name;
                    EXPECT_EQ(ColoursOf(frames, -1), ColoursOf(frames, frames.Loop() - 1)) << name;
                    // A loop that moves shows something new in its second frame.
                    if (type != TAnimationType::Typewriter && frames.Loop() > 1) {
                        EXPECT_NE(ColoursOf(frames, 1), ColoursOf(frames, 0)) << name;
                    }
                }
            }
        }
    }
}

TEST(AnimationFrames, ReverseIsShiftReadBackwards) {
    for (const TGradient& gradient : Gradients()) {
        for (const int span : {0, 20}) {
            const TAnimationFrames shift({.Type = TAnimationType::Shift, .Span = span}, gradient, 11);
            const TAnimationFrames reverse({.Type = TAnimationType::Reverse, .Span = span}, gradient, 11);
            ASSERT_EQ(reverse.Loop(), shift.Loop());
            for (int k = 0; k < shift.Loop(); ++k) {
                EXPECT_EQ(ColoursOf(reverse, k), ColoursOf(shift, (shift.Loop() - k) % shift.Loop())) << k;
            }
        }
    }
}

// A gradient longer than the text: the text shows a window of it that travels.
TEST(AnimationFrames, ASpanLongerThanTheTextShowsAWindowOfTheGradient) {
    const TGradient gradient = TwoColour(0x0000FF, 0x00FFFF);
    const TAnimationFrames frames({.Type = TAnimationType::Shift, .Span = 30}, gradient, 10);
    EXPECT_EQ(frames.Loop(), 58);
    const std::vector<TColor> at5 = ColoursOf(frames, 5);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(at5[static_cast<std::size_t>(i)], GradientColor(gradient, i + 6, 30)) << i;
    }
    // Past the far end the colours come back.
    EXPECT_EQ(ColoursOf(frames, 29)[0], GradientColor(gradient, 30, 30));
    EXPECT_EQ(ColoursOf(frames, 30)[0], GradientColor(gradient, 29, 30));
}

TEST(AnimationFrames, EachTypeMovesAsItsNameSays) {
    const TGradient gradient = TwoColour(0x0000FF, 0x00FFFF);
    const TAnimationFrames bounce({.Type = TAnimationType::Bounce}, gradient, 8);
    for (int k = 1; k < bounce.Loop(); ++k) {
        EXPECT_EQ(ColoursOf(bounce, k), ColoursOf(bounce, bounce.Loop() - k)) << "there and back, " << k;
    }
    const TAnimationFrames cycle({.Type = TAnimationType::Cycle}, gradient, 8);
    for (int k = 0; k < cycle.Loop(); ++k) {
        const std::vector<TColor> colours = ColoursOf(cycle, k);
        EXPECT_EQ(colours, std::vector<TColor>(8, colours.front())) << "one colour, " << k;
    }
    EXPECT_EQ(ColoursOf(cycle, 7).front(), GradientColor(gradient, 8, 8));

    const TAnimationFrames typewriter({.Type = TAnimationType::Typewriter}, gradient, 8);
    for (int k = 0; k < 8; ++k) {
        const std::vector<TColor> colours = ColoursOf(typewriter, k);
        ASSERT_EQ(colours.size(), static_cast<std::size_t>(k + 1));
        EXPECT_EQ(colours.back(), GradientColor(gradient, k + 1, 8));
    }

    const TAnimationFrames pulse({.Type = TAnimationType::Pulse}, gradient, 8);
    const std::vector<TColor> still = ColoursOf(pulse, 0);
    const std::vector<TColor> dimmest = ColoursOf(pulse, pulse.Loop() / 2);
    for (std::size_t i = 0; i < still.size(); ++i) {
        const TOklch a = OklabToOklch(OklabOf(still[i]));
        const TOklch b = OklabToOklch(OklabOf(dimmest[i]));
        EXPECT_LT(b.L, a.L - 0.2) << i;
        EXPECT_NEAR(std::remainder(b.H - a.H, 360.0), 0, 2) << i;
    }
}

TEST(AnimationFrames, EveryFrameReadsBackToItsText) {
    const int units = UnitCount(kText.Text, kText.Clusters);
    const std::string utf8 = "Gr\xC3\xBCn \xF0\x9F\x8E\x89 go!";
    for (const TAnimationType type : kTypes) {
        const TAnimationFrames frames({.Type = type}, Gradients()[2], units);
        for (const TOutputKindRow& row : OutputKinds()) {
            if (row.Reading.Read == nullptr) {
                continue;
            }
            for (int k = 0; k < frames.Count(); ++k) {
                if (frames.UnitsOf(k) < 2) {
                    continue;
                }
                const std::optional<TReadText> read =
                    ReadGradientText(Frame(frames, k, kText, row.Kind).Written());
                ASSERT_TRUE(read) << row.Name << " " << AnimationTypeName(type) << " " << k;
                EXPECT_EQ(read->Units.size(), static_cast<std::size_t>(frames.UnitsOf(k))) << row.Name;
                EXPECT_EQ(utf8.substr(0, read->Utf8.size()), read->Utf8) << row.Name;
            }
        }
    }
}

TEST(AnimationFrames, NamesOfTheTypesReadBack) {
    for (const TAnimationType type : kTypes) {
        EXPECT_EQ(AnimationTypeFromName(AnimationTypeName(type)), type);
    }
    EXPECT_FALSE(AnimationTypeFromName("Shift"));
    EXPECT_EQ(AnimationTypeNames(), "shift, reverse, bounce, cycle, pulse, typewriter or rainbow");
}

} // namespace
