#pragma once

#include <string_view>

// The preview never draws below or above these sizes, whatever the settings hold: the smart
// preview stops shrinking at the smallest, and a stored size outside the range is drawn at the
// nearest end of it.
inline constexpr int kSmallestPreviewPoints = 1;
inline constexpr int kLargestPreviewPoints = 400;

// `points` brought into the range above.
int ClampPreviewPoints(long long points);

// The size step of the size list's text: "+2" is 2; a text that is no integer (no selection) is 0.
int SizeStepFromText(std::string_view text);

// The preview font's size for a base size and a size step: 4 points more per step (base 11:
// 11, 15, 19, 23, 27), kept within the preview's range.
int PreviewFontPoints(int basePoints, int sizeStep);
