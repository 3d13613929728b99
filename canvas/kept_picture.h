#pragma once
// How a kept tab's picture is shown: over the background colour with its
// alpha, as large as whole pixels allow in the space given (smoothly reduced
// when it is larger than that space), centred.

#include <QImage>

#include "model/kept_entries.h"

// Fills the target with the background and draws the picture in it, leaving
// the margin free on every side, enlarged at most maxScale times (the
// preview shows the real size: 1). Gives back the screen pixels per pixel
// it was drawn at, or 0 when it was reduced (or not drawn).
int DrawKeptPicture(QImage& target, const KeptEntry& kept, ColorRef background, int margin, int maxScale);

// The picture as a straight-alpha image (empty when it was not decoded).
QImage KeptPictureImage(const KeptEntry& kept);
