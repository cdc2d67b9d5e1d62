#pragma once

#include "gui/programs/TallivorLib_TLB.h"

// Prints every listed program with all its properties and registry values, then every screen saver.
void DumpInventory(varnook::TProgramList& list);

// Reads every property of every listed program, as a client showing the whole list would; returns a
// checksum so that nothing is optimised away.
unsigned long ReadEveryProperty(varnook::TProgramList& list);
