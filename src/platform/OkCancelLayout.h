#pragma once

class QDialog;
class QLayout;

// Lays out a small dialog of ours: its content, then OK and Cancel, which accept and reject it.
void LayOutAboveOkCancel(QDialog& dialog, QLayout* content);
