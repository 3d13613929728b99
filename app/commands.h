#pragma once
// The command dispatcher: every menu entry, button and popup entry ends here.

class QWidget;

// The command word carries the id in its low 16 bits and the notification
// code in its high 16 bits; the sender is the control that sent it, when
// there is one.
void DispatchCommand(unsigned commandWord, QWidget* sender = nullptr);

// Command 207: the paste menu below the paste button.
void ShowPastePopup();
