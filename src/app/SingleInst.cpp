#include "app/SingleInst.h"

#include <stdlib.h>

const char* const SingleInstanceWindowClass = "SingleInstanceManagerWindow";

namespace {

// The class keeps DefWindowProcA; each window gets its own procedure after creation.
void RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = DefWindowProcA;
  cls.hInstance = instance;
  cls.lpszClassName = SingleInstanceWindowClass;
  WNDCLASSA existing{};
  const bool registered = GetClassInfoA(instance, SingleInstanceWindowClass, &existing);
  if (registered && existing.lpfnWndProc == DefWindowProcA) return;
  if (registered) (void)UnregisterClassA(SingleInstanceWindowClass, instance);
  (void)RegisterClassA(&cls);
}

}  // namespace

TSingleInstanceManager::TSingleInstanceManager(ui::Component* Owner) : ui::Component(Owner) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(instance);
  FHandle = CreateWindowExA(WS_EX_TOOLWINDOW, SingleInstanceWindowClass, "", WS_POPUP | WS_CAPTION,
                            0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  if (!FHandle) return;
  (void)SetWindowLongPtrA(FHandle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  (void)SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc));
}

TSingleInstanceManager::~TSingleInstanceManager() {
  if (!FHandle) return;
  // Messages sent while the window goes away must not reach a half-destroyed object.
  (void)SetWindowLongPtrA(FHandle, GWLP_USERDATA, 0);
  (void)DestroyWindow(FHandle);
}

void TSingleInstanceManager::SetProgramID(const std::string& Value) {
  FProgramID = Value;
  (void)SetWindowTextA(FHandle, FProgramID.c_str());
}

LRESULT CALLBACK TSingleInstanceManager::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TSingleInstanceManager*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
  if (self) {
    try {
      self->WndMethod(msg, wParam, lParam);
    } catch (...) {
      // An exception must not unwind through the system's dispatcher.
    }
  } else {
    (void)DefWindowProcA(wnd, msg, wParam, lParam);
  }
  return 1;
}

void TSingleInstanceManager::WndMethod(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SI_BEGIN:
      Params.clear();
      break;
    case WM_SI_PARAM:
      AddParam(static_cast<ATOM>(lParam));
      break;
    case WM_SI_START:
      if (OnStartRequest) OnStartRequest(this);
      break;
    default:
      (void)DefWindowProcA(FHandle, msg, wParam, lParam);
  }
}

void TSingleInstanceManager::AddParam(ATOM atom) {
  char name[256];
  const UINT length = GlobalGetAtomNameA(atom, name, sizeof name);
  if (length == 0) {
    Params.emplace_back();
    return;
  }
  (void)GlobalDeleteAtom(atom);
  Params.emplace_back(name, length);
}

bool NotifyRunningInstance(const std::string& ProgramID) {
  HWND wnd = FindWindowA(SingleInstanceWindowClass, ProgramID.c_str());
  if (!wnd) return false;
  (void)PostMessageA(wnd, WM_SI_BEGIN, 0, 0);
  // A parameter that cannot become an atom (longer than 255 characters) goes as atom 0.
  for (int i = 1; i < __argc; ++i) {
    const ATOM atom = GlobalAddAtomA(__argv[i]);
    (void)PostMessageA(wnd, WM_SI_PARAM, 0, static_cast<LPARAM>(atom));
  }
  (void)PostMessageA(wnd, WM_SI_START, 0, 0);
  return true;
}
