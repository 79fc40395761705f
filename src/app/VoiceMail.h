// The program's entry.
#pragma once

// The program's identity between its instances, in the registry form of a GUID.
inline constexpr char ProgramGUID[] = "{6F1C2B7E-3A94-4D5B-9E21-8C0F7A6D4B13}";
