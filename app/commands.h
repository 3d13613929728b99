#pragma once
// The command dispatcher: every menu entry, button and popup entry ends here.

// The command word carries the id in its low 16 bits and the notification
// code in its high 16 bits.
void DispatchCommand(unsigned commandWord);
