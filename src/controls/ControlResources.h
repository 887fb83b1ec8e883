#pragma once

#include <QImage>
#include <QString>

#include <stdexcept>

// The pictures drawn for the program, kept as Qt resources in the controls library:
//   ":/glyphs/<button name>.bmp"  the glyph strips of the main window's flat buttons
//                                 (TbInv, TbMirror, TbTriCo, TbCopy, TbSave, TbOption,
//                                 TbBold, TbItalic, TbUnder, TbStrike)
//   ":/fonttype/TRUETYPE_FNT.bmp", ":/fonttype/DEVICE_FNT.bmp"  the font list's type icons
inline constexpr char kTrueTypeFontIconPath[] = ":/fonttype/TRUETYPE_FNT.bmp";
inline constexpr char kDeviceFontIconPath[] = ":/fonttype/DEVICE_FNT.bmp";

// Raised when a picture the program needs is missing from its resources.
class EResNotFound : public std::runtime_error {
public:
    explicit EResNotFound(const QString& name);
};

// Registers the controls library's resources. The library is static, so nothing would pull its
// resource data into a program that never names it; every loader below calls this first, and a
// program that reads the resources in other ways calls it once itself. Safe to call again.
void InitControlResources();

// The picture at a resource path such as ":/glyphs/TbSave.bmp"; EResNotFound naming the path
// when it is missing or unreadable.
QImage LoadResourceBitmap(const QString& path);

// The resource path of a flat button's glyph strip: ":/glyphs/" + name + ".bmp".
QString GlyphResourcePath(const QString& buttonName);
