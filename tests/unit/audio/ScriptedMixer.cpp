#include "unit/audio/ScriptedMixer.h"

#include <algorithm>
#include <cstring>

#include "audio/MixerUtils.h"

namespace {

ScriptedMixer* g_mixer = nullptr;

DWORD LineId(DWORD destination, DWORD source) {
  return destination << 16 | source;  // source 0xFFFF: the destination itself
}

constexpr DWORD kDestinationItself = 0xFFFF;

void FillLine(MIXERLINEA& out, const ScriptedLine& line, DWORD d, DWORD s, DWORD connections) {
  out.dwDestination = d;
  out.dwSource = s == kDestinationItself ? 0 : s;
  out.dwLineID = LineId(d, s);
  out.dwComponentType = line.componentType;
  out.cChannels = line.channels;
  out.cConnections = connections;
  out.cControls = static_cast<DWORD>(line.controls.size());
  lstrcpynA(out.szName, "Scripted line", MIXER_LONG_NAME_CHARS);
}

}  // namespace

ScriptedMixer::ScriptedMixer(std::vector<ScriptedDestination> destinations)
    : destinations_(std::move(destinations)) {
  g_mixer = this;
  MixerApi = {
      Open, Close, GetDevCaps, GetLineInfo, GetLineControls, GetControlDetails, SetControlDetails};
}

ScriptedMixer::~ScriptedMixer() {
  MixerApi = {};
  g_mixer = nullptr;
}

LONG ScriptedMixer::Value(DWORD controlId, std::size_t index) const {
  for (const auto& d : destinations_) {
    std::vector<const ScriptedLine*> lines{&d.line};
    for (const auto& s : d.sources) lines.push_back(&s);
    for (const ScriptedLine* l : lines)
      for (const auto& c : l->controls)
        if (c.id == controlId) return index < c.values.size() ? c.values[index] : -1;
  }
  return -1;
}

void ScriptedMixer::Change(DWORD controlId, std::vector<LONG> values) {
  if (ScriptedControl* c = ControlById(controlId)) c->values = std::move(values);
  Notify(controlId);
}

int ScriptedMixer::DetailCalls(DWORD controlId) const {
  auto it = detailCalls_.find(controlId);
  return it == detailCalls_.end() ? 0 : it->second;
}

const ScriptedLine* ScriptedMixer::LineById(DWORD id) const {
  DWORD d = id >> 16, s = id & 0xFFFF;
  if (d >= destinations_.size()) return nullptr;
  if (s == kDestinationItself) return &destinations_[d].line;
  return s < destinations_[d].sources.size() ? &destinations_[d].sources[s] : nullptr;
}

ScriptedControl* ScriptedMixer::ControlById(DWORD id) {
  for (auto& d : destinations_) {
    std::vector<ScriptedLine*> lines{&d.line};
    for (auto& s : d.sources) lines.push_back(&s);
    for (ScriptedLine* l : lines)
      for (auto& c : l->controls)
        if (c.id == id) return &c;
  }
  return nullptr;
}

bool ScriptedMixer::Known(HMIXEROBJ h) const {
  return open_.count(reinterpret_cast<HMIXER>(h)) != 0;
}

void ScriptedMixer::Notify(DWORD controlId) const {
  for (const auto& [handle, window] : open_)
    if (window)
      PostMessageA(window, MM_MIXM_CONTROL_CHANGE, reinterpret_cast<WPARAM>(handle),
                   static_cast<LPARAM>(controlId));
}

MMRESULT WINAPI ScriptedMixer::Open(LPHMIXER out, UINT device, DWORD_PTR callback, DWORD_PTR,
                                    DWORD flags) {
  if (device != 0) return MMSYSERR_BADDEVICEID;
  HMIXER h = reinterpret_cast<HMIXER>(g_mixer->nextHandle_++);
  g_mixer->open_[h] =
      (flags & CALLBACK_TYPEMASK) == CALLBACK_WINDOW ? reinterpret_cast<HWND>(callback) : nullptr;
  *out = h;
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI ScriptedMixer::Close(HMIXER h) {
  return g_mixer->open_.erase(h) ? MMSYSERR_NOERROR : MMSYSERR_INVALHANDLE;
}

MMRESULT WINAPI ScriptedMixer::GetDevCaps(UINT_PTR h, LPMIXERCAPSA caps, UINT size) {
  if (!g_mixer->Known(reinterpret_cast<HMIXEROBJ>(h))) return MMSYSERR_INVALHANDLE;
  if (size < sizeof(MIXERCAPSA)) return MMSYSERR_INVALPARAM;
  *caps = MIXERCAPSA{};
  lstrcpynA(caps->szPname, "Scripted mixer", MAXPNAMELEN);
  caps->cDestinations = static_cast<DWORD>(g_mixer->destinations_.size());
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI ScriptedMixer::GetLineInfo(HMIXEROBJ h, LPMIXERLINEA line, DWORD flags) {
  if (!g_mixer->Known(h)) return MMSYSERR_INVALHANDLE;
  if (line->cbStruct != sizeof(MIXERLINEA)) return MMSYSERR_INVALPARAM;
  const auto& dests = g_mixer->destinations_;
  DWORD d = line->dwDestination;
  if (d >= dests.size()) return MIXERR_INVALLINE;
  if ((flags & MIXER_GETLINEINFOF_QUERYMASK) == MIXER_GETLINEINFOF_DESTINATION) {
    FillLine(*line, dests[d].line, d, kDestinationItself,
             static_cast<DWORD>(dests[d].sources.size()));
    return MMSYSERR_NOERROR;
  }
  if ((flags & MIXER_GETLINEINFOF_QUERYMASK) == MIXER_GETLINEINFOF_SOURCE) {
    DWORD s = line->dwSource;
    if (s >= dests[d].sources.size()) return MIXERR_INVALLINE;
    FillLine(*line, dests[d].sources[s], d, s, 0);
    return MMSYSERR_NOERROR;
  }
  return MMSYSERR_NOTSUPPORTED;
}

MMRESULT WINAPI ScriptedMixer::GetLineControls(HMIXEROBJ h, LPMIXERLINECONTROLSA lc, DWORD flags) {
  if (!g_mixer->Known(h)) return MMSYSERR_INVALHANDLE;
  if (lc->cbStruct != sizeof(MIXERLINECONTROLSA) || lc->cbmxctrl != sizeof(MIXERCONTROLA) ||
      (flags & MIXER_GETLINECONTROLSF_QUERYMASK) != MIXER_GETLINECONTROLSF_ALL)
    return MMSYSERR_INVALPARAM;
  const ScriptedLine* line = g_mixer->LineById(lc->dwLineID);
  if (!line) return MIXERR_INVALLINE;
  // The platform asks for exactly the line's count of controls.
  if (lc->cControls != line->controls.size()) return MMSYSERR_INVALPARAM;
  for (std::size_t i = 0; i < line->controls.size(); ++i) {
    const ScriptedControl& c = line->controls[i];
    MIXERCONTROLA& out = lc->pamxctrl[i];
    out = MIXERCONTROLA{};
    out.cbStruct = sizeof out;
    out.dwControlID = c.id;
    out.dwControlType = c.type;
    out.fdwControl = c.flags;
    out.cMultipleItems = static_cast<DWORD>(c.items.size());
    if (!c.items.empty()) out.fdwControl |= MIXERCONTROL_CONTROLF_MULTIPLE;
    out.Bounds.dwMaximum = 65535;
  }
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI ScriptedMixer::GetControlDetails(HMIXEROBJ h, LPMIXERCONTROLDETAILS d,
                                                 DWORD flags) {
  if (!g_mixer->Known(h)) return MMSYSERR_INVALHANDLE;
  if (d->cbStruct != sizeof(MIXERCONTROLDETAILS) || !d->paDetails) return MMSYSERR_INVALPARAM;
  ScriptedControl* c = g_mixer->ControlById(d->dwControlID);
  if (!c) return MIXERR_INVALCONTROL;
  ++g_mixer->detailCalls_[c->id];
  std::size_t count = std::size_t{d->cChannels} * std::max<DWORD>(d->cMultipleItems, 1);
  if ((flags & MIXER_GETCONTROLDETAILSF_QUERYMASK) == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
    if (d->cbDetails != sizeof(MIXERCONTROLDETAILS_LISTTEXTA) || c->items.empty())
      return MMSYSERR_INVALPARAM;
    auto* out = static_cast<MIXERCONTROLDETAILS_LISTTEXTA*>(d->paDetails);
    for (std::size_t i = 0; i < count; ++i) {
      const ScriptedItem& item = c->items[i % c->items.size()];
      out[i] = MIXERCONTROLDETAILS_LISTTEXTA{};
      out[i].dwParam1 = item.lineId;
      out[i].dwParam2 = item.componentType;
      lstrcpynA(out[i].szName, item.name.c_str(), MIXER_LONG_NAME_CHARS);
    }
    return MMSYSERR_NOERROR;
  }
  if (d->cbDetails != sizeof(LONG)) return MMSYSERR_INVALPARAM;
  auto* out = static_cast<LONG*>(d->paDetails);
  for (std::size_t i = 0; i < count; ++i)
    out[i] = c->values.empty() ? 0 : c->values[std::min(i, c->values.size() - 1)];
  return MMSYSERR_NOERROR;
}

MMRESULT WINAPI ScriptedMixer::SetControlDetails(HMIXEROBJ h, LPMIXERCONTROLDETAILS d, DWORD) {
  if (!g_mixer->Known(h)) return MMSYSERR_INVALHANDLE;
  if (d->cbStruct != sizeof(MIXERCONTROLDETAILS) || !d->paDetails || d->cbDetails != sizeof(LONG))
    return MMSYSERR_INVALPARAM;
  ScriptedControl* c = g_mixer->ControlById(d->dwControlID);
  if (!c) return MIXERR_INVALCONTROL;
  ++g_mixer->detailCalls_[c->id];
  std::size_t count = std::size_t{d->cChannels} * std::max<DWORD>(d->cMultipleItems, 1);
  const auto* in = static_cast<const LONG*>(d->paDetails);
  c->values.assign(in, in + count);
  g_mixer->Notify(c->id);
  return MMSYSERR_NOERROR;
}
