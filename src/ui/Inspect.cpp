#include "ui/Inspect.h"

#include <sstream>

#include "ui/Forms.h"

namespace ui {

namespace {

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA) {
    auto* cds = reinterpret_cast<COPYDATASTRUCT*>(lp);
    auto* out = reinterpret_cast<std::string*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (cds->dwData == kInspectTag && out) {
      out->assign(static_cast<const char*>(cds->lpData), cds->cbData);
      return TRUE;
    }
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

Properties Inspect(HWND form, const std::string& name, DWORD timeoutMs) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ReplyProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BdaInspectReply";
  RegisterClassExA(&wc);
  HWND reply = CreateWindowExA(0, wc.lpszClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
  std::string text;
  SetWindowLongPtrA(reply, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&text));
  COPYDATASTRUCT cds{kInspectTag, static_cast<DWORD>(name.size()), const_cast<char*>(name.data())};
  DWORD_PTR result = 0;
  SendMessageTimeoutA(form, WM_COPYDATA, reinterpret_cast<WPARAM>(reply),
                      reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, timeoutMs, &result);
  DestroyWindow(reply);
  Properties props;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string value;
    for (std::size_t i = eq + 1; i < line.size(); ++i) {
      char ch = line[i];
      if (ch == '\\' && i + 1 < line.size()) {
        char next = line[++i];
        ch = next == 'r' ? '\r' : next == 'n' ? '\n' : next;
      }
      value += ch;
    }
    props[line.substr(0, eq)] = value;
  }
  return props;
}

}  // namespace ui
