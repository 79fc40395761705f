// Asks a running form of this or another program to describe one of its components
// (see kInspectTag): the client side, for tools and end-to-end tests.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace ui {

using Properties = std::map<std::string, std::string>;

// The description of the named component of the form window (the form itself for an empty
// name); empty when the form knows no such component or does not answer in time.
Properties Inspect(HWND form, const std::string& name, DWORD timeoutMs = 5000);

}  // namespace ui
