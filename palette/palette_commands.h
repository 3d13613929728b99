#pragma once
// The commands of the palette window's three buttons. Each does nothing
// while no tab is open or when the current tab has 2 colours.

// "整理": sorts the palette by hue, saturation and value and merges
// repeated colours, keeping every pixel's colour; one undo step.
void CommandOrganizePalette();
// "減色...": the colour reduction dialog.
void CommandReduceColors();
// "一括...": the batch colour change dialogs.
void CommandBatchColorChange();
