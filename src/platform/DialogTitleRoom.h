#pragma once

class QWidget;

// The width a dialog needs so that the window manager shows its whole title: the title in the
// dialog's font, with room for the title bar's icon and buttons. A small dialog is made at
// least this wide, as the title is the first thing read.
int DialogTitleRoom(const QWidget& dialog);
