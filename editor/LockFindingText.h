#pragma once

#include "model/LockCheck.h"

#include <QString>

// What a finding of the lock check means for the user: one sentence that names the stored
// value at fault and says what to change. The finding must be one that CheckMeter gave for this
// block.
QString LockFindingText(const SettingsBlock& block, const LockFinding& finding);

// The first finding of a slot as its tree node's tooltip shows it, after the pointing hint: a
// finding about a row names its TP, which the tree does not show. Empty for none.
QString FirstFindingText(const SettingsBlock& block, int slot);

// The satellite of a finding as its line names it: the name and the slot, counted from 1 as
// the Satellite pane's caption counts.
QString LockFindingSatellite(const SettingsBlock& block, int slot);
