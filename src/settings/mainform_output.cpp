// Getting the HTML out: the copy button, the colour and font snippets, and the sample page.
#include "settings/mainform.h"

#include "settings/ColorLabel.h"

void TForm1::TbCopyMouseDown(Qt::MouseButton /*button*/) {}

void TForm1::TbSaveClick() {}

void TForm1::FlClMouseDown(TColorLabel* /*label*/, Qt::MouseButton /*button*/) {}

void TForm1::FlClClick(int /*tag*/) {}
