#pragma once

#include "engine/TargetEmitter.h"

#include <string>
#include <string_view>

class TTagVocabulary;

// GitHub math: $\color{#RRGGBB}\text{...}...$, one colour switch per run of one colour. Inside
// \text{} the characters { } $ & # _ % are escaped with a backslash; \ ^ ~ stand between two
// \text{} as the math symbols \backslash, \hat{} and \sim.
class TGithubEmitter final : public TTargetEmitter {
public:
    TGithubEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                   int characterCount, const TClusterTable& clusters = kNoClusters);

private:
    void PutCode(TColor color) override;
    void PutText(std::string_view utf8) override;
    void PutEnd() override;
    bool open_ = false;
};

// Pango markup (GTK labels, notifications, status bars): <span foreground="#RRGGBB"> around each
// character, inside one span for the face, size and styles.
class TPangoEmitter final : public TTargetEmitter {
public:
    TPangoEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                  int characterCount, const TClusterTable& clusters = kNoClusters);

private:
    void PutCode(TColor color) override;
    void PutText(std::string_view utf8) override;
    void PutEnd() override;
    bool open_ = false;
};

// One HTML element whose background is the gradient clipped to the text: the shortest HTML,
// read as one word by screen readers. The gradient runs across the element from the first
// character's colour to the last one's, through the middle character's when the colours bend
// (mirror and three colours).
class TCssClipEmitter final : public TOutputEmitter {
public:
    TCssClipEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                    int characterCount, const TClusterTable& clusters = kNoClusters);
    void AppendUnit(const TTextUnit& unit, TColor color) override;
    void AppendUnits(TUnitWalk& walk, TGradientWalk& colors, int count) override;
    THtmlText Finish() override;
    void StreamTo(TOutputSink& sink) override { sink_ = &sink; }

private:
    // Notes the colour of the next `units` units.
    void Note(TColor color, int units = 1);
    // Appends characters that CP932 holds as element text, no more than `most`; returns the
    // bytes they take.
    std::size_t AppendCharacters(std::string_view cp932, std::size_t most = std::string_view::npos);

    TOutputSink* sink_ = nullptr; // the element is written whole when it is finished
    // The opening element with the gradient's stops.
    std::string Opening(std::string_view stops) const;

    std::string text_; // the element's text, behind room for the opening
    std::size_t room_ = 0;
    std::string styles_;
    // A text with directional controls: the isolate it stands in, and what closes those it
    // leaves open.
    bool isolated_ = false;
    std::string closers_;
    int count_ = 0;
    int seen_ = 0;
    TColor first_ = 0;
    TColor middle_ = 0;
    TColor last_ = 0;
};
