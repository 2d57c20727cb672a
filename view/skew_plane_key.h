// Key 'P' of the view: the full-scale print of the skewed plane through the
// marked joints.
#pragma once

// When the skewed-plane tiles are shown, only hides them. Otherwise gives
// every joint its skew coordinate, lays the marked joints out in pages of
// the model's units and shows those tiles; false (nothing changed on
// screen) when fewer than three joints are marked or no layout is made.
bool SkewPlanePrintKey();
