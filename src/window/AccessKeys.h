#pragma once

// Access keys for the window's menus: every item reachable by one letter, none shared within a
// menu, in the way each language writes them.

#include <QString>

class QMenu;

// Gives every item of `menu` and of its submenus that has none an access key no other item of the
// same menu uses. An item in Japanese gets "(&K)" at its end (before the dots of a dialog), as
// Japanese programs write it; another gets the "&" before a letter of its own words. The letter
// comes from the item's words, then its object's name, then the alphabet. Items that have a key
// keep it, so a second call only reaches items added or renamed since.
void GiveAccessKeys(QMenu& menu);

// Set on an item whose caption is read back (the base font size's): it is left without a key.
inline constexpr const char* kNoAccessKey = "noAccessKey";

// The key of `text` (upper case), or a null character when it has none; "&&" is a plain "&".
QChar AccessKeyOf(const QString& text);

// `text` without its access key: a Japanese "(&K)" whole, the "&" of another; "&&" stays.
QString WithoutAccessKey(const QString& text);

// `text` with `addition` put after its words and before a Japanese "(&K)" at its end.
QString AddedBeforeAccessKey(const QString& text, const QString& addition);
