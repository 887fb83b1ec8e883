#pragma once

#include "engine/HtmlOptions.h"
#include "engine/OutputEmitter.h"
#include "engine/OutputTemplate.h"

#include <memory>
#include <string>
#include <string_view>

// Writes the text as a user's template says: the prefix, each unit (or each run of one colour,
// when the template or the fitting merges runs) with its placeholders filled in, the separator
// between them, and the suffix.
class TTemplateEmitter final : public TOutputEmitter {
public:
    TTemplateEmitter(std::shared_ptr<const TOutputTemplate> form, const THtmlOptions& options,
                     std::string_view text, int unitCount);

    void AppendUnit(const TTextUnit& unit, TColor color) override;
    THtmlText Finish() override;
    void StreamTo(TOutputSink& sink) override {
        sink_ = &sink;
        Drain(0);
    }

private:
    // Hands what is written to the sink, when streaming and it holds at least `least` bytes.
    void Drain(std::size_t least);
    // Writes the run held so far.
    void WriteRun();

    std::shared_ptr<const TOutputTemplate> form_;
    std::string styles_; // the codes of the chosen styles, as {styles} writes them
    bool merge_;
    bool plainSpaces_;
    TTextShadow shadow_; // the one chosen, or the game's own shade
    std::string out_;
    std::string run_; // the units not yet written, all in runColor_
    TColor runColor_ = 0;
    bool first_ = true;
    TOutputSink* sink_ = nullptr;
};

// The row of a kind written by `form`, named `name`: a paste target with the template's budget
// and count, shortened by merging runs; not offered in the window.
TOutputKindRow TemplateKindRow(std::string_view name, std::shared_ptr<const TOutputTemplate> form);
