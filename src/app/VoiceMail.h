// The program's entry.
#pragma once

// The program's identity between its instances, in the registry form of a GUID.
extern const char ProgramGUID[];
