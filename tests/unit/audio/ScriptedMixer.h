// A mixer described by the test, put in place of winmm's mixer functions for what Wine's
// mixer lacks (peak meters, a recording multiplexer, several destinations, large lines).
// It answers as the platform's mixer does and reports every change, the program's own
// writes included, to every connection opened with a callback window.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <map>
#include <string>
#include <vector>

struct ScriptedItem {
  std::string name;
  DWORD lineId = 0;
  DWORD componentType = 0;
};

struct ScriptedControl {
  DWORD id = 0;
  DWORD type = 0;
  std::vector<LONG> values;         // per channel, or per item of a multiple-item control
  std::vector<ScriptedItem> items;  // the list texts of a multiple-item control
  DWORD flags = 0;
};

struct ScriptedLine {
  DWORD componentType = 0;
  DWORD channels = 1;
  std::vector<ScriptedControl> controls;
};

struct ScriptedDestination {
  ScriptedLine line;
  std::vector<ScriptedLine> sources;
};

class ScriptedMixer {
 public:
  explicit ScriptedMixer(std::vector<ScriptedDestination> destinations);
  ScriptedMixer(const ScriptedMixer&) = delete;
  ScriptedMixer& operator=(const ScriptedMixer&) = delete;
  ~ScriptedMixer();  // puts the platform's functions back

  // The value of a control (its first item); a change from outside the program, reported
  // to every callback window.
  LONG Value(DWORD controlId, std::size_t index = 0) const;
  void Change(DWORD controlId, std::vector<LONG> values);
  // Calls that reached the control's details (reads and writes) and the opened connections.
  int DetailCalls(DWORD controlId) const;
  int OpenConnections() const { return static_cast<int>(open_.size()); }

  // The winmm functions, as the table takes them.
  static MMRESULT WINAPI Open(LPHMIXER, UINT, DWORD_PTR, DWORD_PTR, DWORD);
  static MMRESULT WINAPI Close(HMIXER);
  static MMRESULT WINAPI GetDevCaps(UINT_PTR, LPMIXERCAPSA, UINT);
  static MMRESULT WINAPI GetLineInfo(HMIXEROBJ, LPMIXERLINEA, DWORD);
  static MMRESULT WINAPI GetLineControls(HMIXEROBJ, LPMIXERLINECONTROLSA, DWORD);
  static MMRESULT WINAPI GetControlDetails(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);
  static MMRESULT WINAPI SetControlDetails(HMIXEROBJ, LPMIXERCONTROLDETAILS, DWORD);

 private:
  const ScriptedLine* LineById(DWORD id) const;
  ScriptedControl* ControlById(DWORD id);
  bool Known(HMIXEROBJ h) const;
  void Notify(DWORD controlId) const;

  std::vector<ScriptedDestination> destinations_;
  std::map<HMIXER, HWND> open_;
  std::map<DWORD, int> detailCalls_;
  UINT_PTR nextHandle_ = 0x4D00;
};
