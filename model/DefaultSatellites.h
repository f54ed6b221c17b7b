#pragma once

#include "model/SatRecordList.h"

// Inserts the 40 built-in satellites into the library in name order.
void AddDefaultSatellites(SatRecordList& library);
