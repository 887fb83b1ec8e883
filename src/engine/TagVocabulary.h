#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Told when a word is missing from the tag vocabulary. The window shows the message in a box;
// building goes on with an empty word.
class TTagLookupReporter {
public:
    virtual ~TTagLookupReporter() = default;
    // `message` is the key followed by ": not found.", e.g. "_Font: not found.".
    virtual void TagNotFound(std::string_view key, std::string_view message) = 0;
};

// The table of HTML words, looked up by key (the window's hidden list `tg`). Every element and
// attribute name the program writes comes from here, so one switch turns them all to upper or
// lower case. Starts in lower case.
class TTagVocabulary {
public:
    // The program's fixed table of 27 words.
    TTagVocabulary();
    // A table of "key=value" items; an item without "=" is a key with an empty value.
    explicit TTagVocabulary(const std::vector<std::string>& items);

    // The reporter told about failed lookups; none by default. Not owned.
    void SetReporter(TTagLookupReporter* reporter) { reporter_ = reporter; }

    // The value of the first entry whose key equals `key` without regard to ASCII case. A
    // missing key or an empty value is reported and gives the empty text.
    std::string TagWord(std::string_view key) const;
    // "<" + word + ">" and "</" + word + ">".
    std::string OpenTag(std::string_view key) const;
    std::string CloseTag(std::string_view key) const;

    // Rewrites every value in upper (true) or lower (false) case; keys never change.
    void ApplyTagCase(bool upper);
    // The case the last ApplyTagCase set (lower before any): the newer output kinds write the
    // words the table does not hold in it.
    bool UpperCase() const { return upper_; }

    // The entries as "key=value" items, in their order.
    std::vector<std::string> Items() const;

private:
    std::vector<std::pair<std::string, std::string>> entries_;
    TTagLookupReporter* reporter_ = nullptr;
    bool upper_ = false;
};

// A word the table does not hold, in the case `upper` selects (ASCII letters only).
std::string WordInCase(std::string_view word, bool upper);
