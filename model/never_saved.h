#pragma once
// A tab whose content no file holds, such as one brought back from a
// recovery record: it counts as changed in every state of its history until
// it is saved.

#include "model/image_tab.h"

void MarkTabNeverSaved(ImageTab& tab);
